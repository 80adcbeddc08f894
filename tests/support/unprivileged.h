// File permissions mean nothing to root, who may read anything, and CI runs
// as root. A test that checks refused access calls ranUnprivileged() first:
// as root it runs itself again in a child that has given up root for the
// user nobody, and passes only when that child ran it and it passed.
#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <string>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// Returns false when not root: the caller runs the test itself. As root,
// returns true after the child's run has been checked; the caller returns.
inline bool ranUnprivileged() {
    if (::geteuid() != 0)
        return false;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(info->test_suite_name()) + "." + info->name();
    const std::string filter = "--gtest_filter=" + name;
    uid_t uid = 65534;
    gid_t gid = 65534;
    if (const passwd* pw = ::getpwnam("nobody")) {
        uid = pw->pw_uid;
        gid = pw->pw_gid;
    }
    // The child's environment, made before the fork. Leak checking stays with
    // this process: the child's suppressions file may lie where nobody cannot
    // read it.
    std::vector<std::string> env;
    std::string asan = "ASAN_OPTIONS=";
    for (char** e = environ; *e; ++e) {
        if (std::strncmp(*e, "ASAN_OPTIONS=", 13) == 0)
            asan = std::string(*e) + ":";
        else if (std::strncmp(*e, "LSAN_OPTIONS=", 13) != 0)
            env.emplace_back(*e);
    }
    env.push_back(asan + "detect_leaks=0");
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    // Opened while still root: the build tree may be closed to nobody.
    const int exe = ::open("/proc/self/exe", O_RDONLY | O_CLOEXEC);
    int out[2];
    if (exe < 0 || ::pipe2(out, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "cannot prepare the unprivileged run: errno " << errno;
        if (exe >= 0)
            ::close(exe);
        return true;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Only async-signal-safe calls between fork and exec.
        ::dup2(out[1], 1);
        ::dup2(out[1], 2);
        if (::chdir("/") != 0 || ::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 ||
            ::setuid(uid) != 0)
            ::_exit(126);
        char* const argv[] = {const_cast<char*>("qm_tests"), const_cast<char*>(filter.c_str()), nullptr};
        ::fexecve(exe, argv, envp.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(exe);
    std::string text;
    char buf[4096];
    for (ssize_t n; (n = ::read(out[0], buf, sizeof buf)) != 0;)
        if (n > 0)
            text.append(buf, static_cast<std::size_t>(n));
        else if (errno != EINTR)
            break;
    ::close(out[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    const bool passed = WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
                        text.find("[       OK ] " + name) != std::string::npos &&
                        text.find("[  PASSED  ] 1 test.") != std::string::npos;
    EXPECT_TRUE(passed) << "as uid " << uid << " (status " << status << "):\n" << text;
    return true;
}
