#include "SyscallFilter.h"

#include <cerrno>
#include <memory>
#include <vector>

#include <sched.h>
#include <seccomp.h>
#include <sys/socket.h>

namespace {

struct FilterRelease {
    void operator()(void* filter) const { seccomp_release(filter); }
};

struct Refusal {
    int call;
    int error = EPERM;
    std::vector<scmp_arg_cmp> when = {};  // every comparison must hold; none: always
};

std::vector<Refusal> Refusals(bool network)
{
    std::vector<Refusal> refusals = {
        // No program is started: it would run without the player's confinement.
        {SCMP_SYS(execve)},
        {SCMP_SYS(execveat)},
        // No new namespaces: they open much of the kernel to an unprivileged process.
        {SCMP_SYS(unshare)},
        {SCMP_SYS(setns)},
        // clone3 keeps its flags where no filter can read them; the C library falls back to
        // clone, whose namespace flags are refused below.
        {SCMP_SYS(clone3), ENOSYS},
        // No change of personality (one makes every readable page executable); asking is fine.
        {SCMP_SYS(personality), EPERM, {SCMP_A0(SCMP_CMP_NE, 0xFFFFFFFF)}},
        // io_uring's requests are not seen by this filter.
        {SCMP_SYS(io_uring_setup)},
    };
    for (const unsigned long flag : {CLONE_NEWNS, CLONE_NEWCGROUP, CLONE_NEWUTS, CLONE_NEWIPC, CLONE_NEWUSER,
                                     CLONE_NEWPID, CLONE_NEWNET})
        refusals.push_back({SCMP_SYS(clone), EPERM, {SCMP_A0(SCMP_CMP_MASKED_EQ, flag, flag)}});
#ifndef __SANITIZE_ADDRESS__
    // No other process is read or steered (LeakSanitizer stops the threads with it at exit).
    refusals.push_back({SCMP_SYS(ptrace)});
#endif
    // Internet sockets only for a network location: UDP as well, which Landlock does not see.
    if (!network)
        for (const int family : {AF_INET, AF_INET6})
            refusals.push_back({SCMP_SYS(socket), EACCES, {SCMP_A0(SCMP_CMP_EQ, static_cast<scmp_datum_t>(family))}});
    return refusals;
}

} // namespace

int FilterSystemCalls(bool network)
{
    const std::unique_ptr<void, FilterRelease> filter(seccomp_init(SCMP_ACT_ALLOW));
    if (!filter)
        return -ENOMEM;
    // Every thread, also those Qt started before the player knew what it would open.
    if (const int status = seccomp_attr_set(filter.get(), SCMP_FLTATR_CTL_TSYNC, 1); status < 0)
        return status;
    for (const Refusal& refusal : Refusals(network))
        if (const int status = seccomp_rule_add_array(filter.get(), SCMP_ACT_ERRNO(refusal.error), refusal.call,
                                                      static_cast<unsigned>(refusal.when.size()), refusal.when.data());
            status < 0)
            return status;
    return seccomp_load(filter.get());
}
