#pragma once
// Root passes every permission check; for the scope of a FileModesApply, this process is held
// to the file modes like any player. Children started meanwhile keep their full rights.
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace TestSupport {

class FileModesApply {
public:
    FileModesApply() {
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        if (geteuid() != 0 || syscall(SYS_capget, &header_, saved_) != 0) {
            return;
        }
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &=
            ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        active_ = syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~FileModesApply() {
        if (active_) {
            syscall(SYS_capset, &header_, saved_);
        }
    }
    FileModesApply(const FileModesApply&) = delete;
    FileModesApply& operator=(const FileModesApply&) = delete;

private:
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2] = {};
    bool active_ = false;
};

// A shell command prefix that holds a started program to the file modes too: root's rights to
// pass them are taken from the child before it runs. Empty for other users.
inline const char* FileModesPrefix() {
    return geteuid() == 0 ? "setpriv --inh-caps=-all --bounding-set=-dac_override,-dac_read_search "
                          : "";
}

}  // namespace TestSupport
