// The process thread must not make a system call: no lock that waits, no
// write, no clock that leaves user space. A thread of its own runs the live
// cycles under a seccomp filter that traps every system call it makes; the
// trap handler counts the calls made while cycles run and then carries each
// call out itself, from the one instruction the filter lets through, so the
// thread goes on working (and ends) normally.
#include <gtest/gtest.h>

#if defined(__x86_64__)
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>

#include <atomic>
#include <cstddef>
#include <thread>

#include "tests/host/live_rig.h"

extern "C" long velmora_passed_syscall(long number, long a1, long a2, long a3, long a4, long a5, long a6);
extern "C" char velmora_passed_syscall_return[];
// Carries out a system call; the filter allows calls from here and nowhere else.
asm(R"(
    .text
    .globl velmora_passed_syscall
    .type velmora_passed_syscall, @function
velmora_passed_syscall:
    mov %rdi, %rax
    mov %rsi, %rdi
    mov %rdx, %rsi
    mov %rcx, %rdx
    mov %r8, %r10
    mov %r9, %r8
    mov 8(%rsp), %r9
    syscall
    .globl velmora_passed_syscall_return
velmora_passed_syscall_return:
    ret
    .size velmora_passed_syscall, .-velmora_passed_syscall
)");

namespace velmora::host::live {
namespace {

constexpr int kMaxSeen = 16;
std::atomic<bool> gMeasuring{false};
std::atomic<int> gCalls{0};
std::atomic<long> gSeen[kMaxSeen];

extern "C" void OnTrappedCall(int, siginfo_t* info, void* context) {
    auto* uc = static_cast<ucontext_t*>(context);
    greg_t* r = uc->uc_mcontext.gregs;
    if (gMeasuring.load(std::memory_order_relaxed)) {
        const int n = gCalls.fetch_add(1);
        if (n < kMaxSeen) {
            gSeen[n] = info->si_syscall;
        }
    }
    r[REG_RAX] = velmora_passed_syscall(info->si_syscall, r[REG_RDI], r[REG_RSI], r[REG_RDX], r[REG_R10], r[REG_R8], r[REG_R9]);
}

// Traps every call of this thread but those from the passing instruction and
// the return from the trap handler itself.
bool TrapThisThreadsCalls() {
    const auto site = reinterpret_cast<std::uint64_t>(velmora_passed_syscall_return);
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_rt_sigreturn, 4, 0),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, instruction_pointer)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<std::uint32_t>(site), 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, instruction_pointer) + 4),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<std::uint32_t>(site >> 32), 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_TRAP),
    };
    sock_fprog program{static_cast<unsigned short>(sizeof(filter) / sizeof(filter[0])), filter};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, 0, &program) == 0;
}

TEST(LiveProcessThread, MakesNoSystemCallWhileCyclesRun) {
    Session session;
    std::string error;
    session = *ParseSession(R"({"instances": [{"articulations": "strings.zoltartic", "options": {"articbanks": true}}]})",
                            VELMORA_ROOT_DIR "/examples/demo", error);
    LiveConfig config;
    config.banks = true;
    LiveRig rig(session, config);
    ASSERT_TRUE(rig.ok());
    std::vector<TimedInput> in;
    for (int i = 0; i < 20000; ++i) {
        in.push_back({256 + i / 2, Midi(0x90 | (i % 16), 20 + (i / 16) % 100, 1 + i % 127)});
    }
    const std::int64_t from = 256 + 10000 + 256;
    for (int i = 0; i < 1000; ++i) {
        const std::int64_t f = from + i * 44;
        in.push_back({f, Midi(0xB0 | (i % 16), 0, i % 4)});
        in.push_back({f, Midi(0x90 | (i % 16), 10 + i % 8, 90)});
        in.push_back({f + 20, Midi(0xE0 | (i % 16), i & 127, 64)});
        in.push_back({f + 40, Midi(0x80 | (i % 16), 10 + i % 8, 64)});
    }

    struct sigaction action {};
    action.sa_sigaction = OnTrappedCall;
    action.sa_flags = SA_SIGINFO;
    ASSERT_EQ(sigaction(SIGSYS, &action, nullptr), 0);
    bool trapped = false;
    int probeCalls = 0;
    std::thread process([&] {
        trapped = TrapThisThreadsCalls();
        if (!trapped) {
            return;
        }
        // The trap works: a call made on purpose is seen and still carried out.
        gMeasuring = true;
        const pid_t tid = static_cast<pid_t>(syscall(SYS_gettid));
        gMeasuring = false;
        probeCalls = tid > 0 ? gCalls.exchange(0) : -1;
        rig.runUntil(256, {});
        gMeasuring = true;
        rig.runUntil(from + 1000 * 44 + 1024, in);
        gMeasuring = false;
    });
    process.join();
    if (!trapped) {
        GTEST_SKIP() << "this kernel refuses a seccomp filter here";
    }
    EXPECT_EQ(probeCalls, 1);
    EXPECT_EQ(rig.engine().counts().notes, 21000U);
    const int calls = gCalls.load();
    std::string seen;
    for (int i = 0; i < std::min(calls, kMaxSeen); ++i) {
        seen += " " + std::to_string(gSeen[i].load());
    }
    EXPECT_EQ(calls, 0) << "system call numbers:" << seen;
}

}  // namespace
}  // namespace velmora::host::live
#endif
