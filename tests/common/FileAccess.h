#pragma once
// Makes file permissions count for the calling thread while it lives, also when the tests run
// as root: root's power to write any file (CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH) is taken out
// of the thread's effective capabilities and put back afterwards. Files the test makes
// read-only then really are read-only to the code under test on this thread.

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

class PermissionsApply {
public:
    PermissionsApply() {
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        header_.pid = 0;
        if (syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        active_ = syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~PermissionsApply() {
        if (active_)
            syscall(SYS_capset, &header_, saved_);
    }
    PermissionsApply(const PermissionsApply&) = delete;
    PermissionsApply& operator=(const PermissionsApply&) = delete;

private:
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2]{};
    bool active_ = false;
};
