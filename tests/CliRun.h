#pragma once
// velqorandis-cli run as a child process, its output and errors caught.

#include <string>
#include <vector>

using Args = std::vector<std::string>;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// As this process's user, or as an ordinary user when this one is root (root
// may write any file, an ordinary user may not).
Outcome RunCli(const Args& args, bool asOrdinaryUser = false);
