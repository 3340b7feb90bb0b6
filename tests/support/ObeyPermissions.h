#pragma once
// Makes the test's own thread obey the permission bits of files and folders
// while it lives, as a user's program does, also when the tests run as root:
// the thread gives up the capabilities that override them (CAP_DAC_OVERRIDE,
// CAP_DAC_READ_SEARCH) and takes them back at its end. Without them nothing
// changes. A folder made read-only with chmod then refuses new files to the
// program under test.

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace testsupport {

class ObeyPermissions final {
public:
    ObeyPermissions() { Override(false); }
    ~ObeyPermissions() { Override(true); }
    ObeyPermissions(const ObeyPermissions&) = delete;
    ObeyPermissions& operator=(const ObeyPermissions&) = delete;

private:
    static void Override(bool on)
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
        if (::syscall(SYS_capget, &header, data) != 0)
            return;
        for (const int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
            __user_cap_data_struct& word = data[capability / 32];
            const __u32 bit = 1u << (capability % 32);
            word.effective = on ? word.effective | (word.permitted & bit) : word.effective & ~bit;
        }
        ::syscall(SYS_capset, &header, data);
    }
};

} // namespace testsupport
