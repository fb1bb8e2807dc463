#pragma once

#include <initializer_list>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace vantrel::test {

// While it lives, the calling thread (and the threads it starts) cannot bypass file
// permissions, not even as root: the capabilities that override them leave its effective set,
// and come back at the end. So a test of a refused access holds for root too.
class TBezObchazeniPrav {
public:
    TBezObchazeniPrav() {
        if (syscall(SYS_capget, &hlavicka_, puvodni_) != 0)
            return;
        __user_cap_data_struct bez[2] = {puvodni_[0], puvodni_[1]};
        for (const int schopnost : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH})
            bez[schopnost / 32].effective &= ~(1u << (schopnost % 32));
        zmeneno_ = syscall(SYS_capset, &hlavicka_, bez) == 0;
    }
    ~TBezObchazeniPrav() {
        if (zmeneno_)
            syscall(SYS_capset, &hlavicka_, puvodni_);
    }
    TBezObchazeniPrav(const TBezObchazeniPrav&) = delete;
    TBezObchazeniPrav& operator=(const TBezObchazeniPrav&) = delete;

private:
    __user_cap_header_struct hlavicka_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct puvodni_[2]{};
    bool zmeneno_ = false;
};

} // namespace vantrel::test
