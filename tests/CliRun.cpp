#include "CliRun.h"

#include <fcntl.h>
#include <grp.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TestFiles.h"

extern char** environ;

namespace {

// The tool's process: as this one's user, or as an ordinary user when this
// one is root (root may write any file, an ordinary user may not).
pid_t Spawn(std::vector<char*>& argv, int out, int err, bool asOrdinaryUser) {
  if (!asOrdinaryUser || geteuid() != 0) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out, 1);
    posix_spawn_file_actions_adddup2(&actions, err, 2);
    pid_t pid = -1;
    if (posix_spawn(&pid, CLI_PATH, &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
  }
  const pid_t pid = fork();
  if (pid == 0) {
    constexpr uid_t kNobody = 65534;
    if (dup2(out, 1) < 0 || dup2(err, 2) < 0 || setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 ||
        setuid(kNobody) != 0) {
      _exit(127);
    }
    execve(CLI_PATH, argv.data(), environ);
    _exit(127);
  }
  return pid;
}

// Runs the tool with the arguments, its output and errors caught in files.
}  // namespace

Outcome RunCli(const Args& args, bool asOrdinaryUser) {
  TempFolder capture;
  std::vector<char*> argv{const_cast<char*>(CLI_PATH)};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const int out = open(capture.NativePath("out").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
  const int err = open(capture.NativePath("err").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
  Outcome run;
  const pid_t pid = Spawn(argv, out, err, asOrdinaryUser);
  close(out);
  close(err);
  if (pid > 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  run.out = capture.Read("out");
  run.err = capture.Read("err");
  return run;
}
