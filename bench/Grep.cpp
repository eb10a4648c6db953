#include "Grep.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace velmora::bench {

std::vector<std::string> GrepEnvironment() {
  std::vector<std::string> variables;
  for (char** variable = environ; *variable; ++variable) {
    if (std::strncmp(*variable, "LC_ALL=", 7) != 0)
      variables.emplace_back(*variable);
  }
  variables.emplace_back("LC_ALL=C.UTF-8");
  return variables;
}

int RunGrep(const std::string& needle, const std::string& path, const std::vector<std::string>& environment) {
  std::vector<char*> argv;
  for (const char* argument : {"grep", "-c", "-i", "-F"})
    argv.push_back(const_cast<char*>(argument));
  argv.push_back(const_cast<char*>(needle.c_str()));
  argv.push_back(const_cast<char*>(path.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (const std::string& variable : environment)
    envp.push_back(const_cast<char*>(variable.c_str()));
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, "grep", &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0)
    return -1;
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR)
      return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace velmora::bench
