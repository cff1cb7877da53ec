// orvik-skin lzh-encode / lzh-decode: bare LZH containers (4-byte unpacked size, then the
// coded stream), whatever their content.

#include "tools/orvik-skin/Command.h"

#include "skin/data/Lzh.h"

namespace {

int runEncode(const QStringList& args) {
    if (args.size() != 2)
        throw UsageError();
    writeWholeFile(args[1], TLZH::PackBytes(readWholeFile(args[0])));
    return 0;
}

int runDecode(const QStringList& args) {
    if (args.size() != 2)
        throw UsageError();
    const QByteArray container = readWholeFile(args[0]);
    QByteArray plain = TLZH::UnpackBytes(container);
    // The decoder finishes its last match; the file gets exactly the declared size.
    plain.truncate(TLZH::DeclaredSize(container));
    writeWholeFile(args[1], plain);
    return 0;
}

const RegisterCommand encodeReg{"lzh-encode", "lzh-encode IN OUT",
                                "pack any file into a bare LZH container", &runEncode};
const RegisterCommand decodeReg{"lzh-decode", "lzh-decode IN OUT",
                                "unpack a bare LZH container (a .skn file gives the raw package)",
                                &runDecode};

} // namespace
