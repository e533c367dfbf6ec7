#include "platform/disc/tools/growisofs_output.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/disc/disc_text.h"

BurnLine ParseGrowisofsLine(std::string_view raw) {
  BurnLine line;
  const std::string text(TrimBlanks(raw));
  if (text.empty()) return line;
  long long done = 0, total = 0;
  double percent = 0, speed = 0, rbu = 0;
  int minutes = 0, seconds = 0;
  if (std::sscanf(text.c_str(), "%lld/%lld (%lf%%) @%lfx, remaining %d:%d RBU %lf", &done, &total, &percent, &speed,
                  &minutes, &seconds, &rbu) >= 3) {
    line.kind = BurnLine::Kind::Progress;
    line.percent = std::clamp(percent, 0.0, 100.0);
    line.writtenMegabytes = static_cast<int>(done / 1000000);
    line.totalMegabytes = static_cast<int>(total / 1000000);
    line.bufferPercent = static_cast<int>(rbu);
    return line;
  }
  if (text.rfind(":-(", 0) == 0) {
    std::string message = text.substr(3);
    message.erase(0, message.find_first_not_of(' '));
    line.text = message;
    if (Contains(message, "not blank") || Contains(message, "not appendable") || Contains(message, "already carries")) {
      line.kind = BurnLine::Kind::NotBlank;
    } else if (Contains(message, "no media") || Contains(message, "media is not present") ||
               Contains(message, "MEDIUM NOT PRESENT")) {
      line.kind = BurnLine::Kind::NoMedium;
    } else {
      line.kind = BurnLine::Kind::Error;
    }
    return line;
  }
  if (Contains(text, ": flushing cache") || Contains(text, ": closing track") || Contains(text, ": closing session") ||
      Contains(text, ": closing disc") || Contains(text, ": writing lead-out") || Contains(text, ": updating RMA")) {
    line.kind = BurnLine::Kind::Finalizing;
    line.percent = 100;
  } else if (text.rfind("WARNING:", 0) == 0) {
    line.kind = BurnLine::Kind::Warning;
    line.text = text;
  }
  return line;
}
