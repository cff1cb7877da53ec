#include "tests/skins/SkinTools.h"

#include <QFile>
#include <QProcess>

namespace skintest {

QString buildDir() {
    return QStringLiteral(ORVIK_BUILD_DIR);
}

QString sourceDir() {
    return QStringLiteral(ORVIK_SOURCE_DIR);
}

Result run(const QString& program, const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(buildDir() + QLatin1Char('/') + program, args);
    Result r;
    if (!process.waitForFinished(120'000) || process.exitStatus() != QProcess::NormalExit)
        return r;
    r.code = process.exitCode();
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}

QString packagePath(const QString& name) {
    return buildDir() + QStringLiteral("/skins/") + name + QStringLiteral(".skn");
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::unique_ptr<TSkinData> loadSkin(const QString& path, QString* problem) {
    auto skin = std::make_unique<TSkinData>();
    skin->SetErrorHook([problem](const QString& text) { *problem += text; });
    skin->SetSkinFile(path);
    return skin;
}

} // namespace skintest
