// velqorandis-cli check: the game definition checker's findings, in the form
// compilers use ("FILE:LINE: error: MESSAGE"), so that editors can jump there.
#include <algorithm>
#include <iostream>

#include "cli/Cli.h"
#include "common/Text.h"
#include "gamedef/GameCheck.h"

int Check(const std::string& gameFile, bool asJson) {
  const std::vector<TFinding> findings = CheckGameDefinition(FromUtf8(gameFile));
  const auto severity = [](const TFinding& finding) {
    return finding.severity == TFinding::Severity::kError ? "error" : "warning";
  };
  if (asJson) {
    json list = json::array();
    for (const TFinding& finding : findings) {
      list.push_back({{"file", ToUtf8(finding.file)},
                      {"line", finding.line},
                      {"severity", severity(finding)},
                      {"message", ToUtf8(finding.message)}});
    }
    PrintJson(list);
  } else {
    for (const TFinding& finding : findings) {
      std::cout << ToUtf8(finding.file) << ':' << finding.line << ": " << severity(finding) << ": "
                << ToUtf8(finding.message) << '\n';
    }
  }
  const bool errors = std::any_of(findings.begin(), findings.end(),
                                  [](const TFinding& finding) { return finding.severity == TFinding::Severity::kError; });
  return errors ? 1 : 0;
}
