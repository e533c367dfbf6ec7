#include "app/batch/batch_options.h"

#include <QCommandLineParser>
#include <array>
#include <map>
#include <utility>

#include "support/product_version.h"
#include "support/utf8.h"

namespace {

constexpr std::array<std::pair<const char*, OutputFormatId>, 7> kFormatNames = {{
    {"dvd", kFormatDvd},
    {"vcd", kFormatVcd},
    {"svcd", kFormatSvcd},
    {"avi", kFormatAvi},
    {"mpeg", kFormatMpeg},
    {"wmv", kFormatWmv},
    {"rm", kFormatRm},
}};

constexpr const char* kDescription =
    "Turns video files into a DVD, VCD or SVCD (burnt, or an image in the output folder) or into\n"
    "AVI, MPEG, WMV or Real Media files. Without --batch the window opens with the FILEs in its list.\n"
    "\n"
    "Exit status: 0 done, 1 the job failed, 2 usage error, 130 interrupted (SIGINT, SIGTERM).";

// value as a whole number within [low, high], or nothing.
std::optional<int> NumberIn(const QString& value, int low, int high) {
  bool ok = false;
  const int number = value.toInt(&ok, 10);
  if (!ok || number < low || number > high) return std::nullopt;
  return number;
}

// More files at once than this only fills the memory.
constexpr int kMostParallelJobs = 64;

BatchCommandLine UsageError(const std::string& text) {
  BatchCommandLine result;
  result.action = BatchCommandLine::Action::UsageError;
  result.text = text;
  return result;
}

// Qt's parser reads text, not bytes: an argument whose bytes are no UTF-8
// stands in it as a token from the private use area, and the bytes take
// their place again after parsing.
class ArgumentBytes {
 public:
  QString Decode(const std::string& argument) {
    if (IsUtf8(argument) && !argument.starts_with(kTokenStart)) return QString::fromStdString(argument);
    // "--output=<bytes>": the option's name stays readable.
    const auto equals = argument.find('=');
    if (argument.starts_with("--") && equals != std::string::npos && IsUtf8(argument.substr(0, equals + 1))) {
      return QString::fromStdString(argument.substr(0, equals + 1)) + Token(argument.substr(equals + 1));
    }
    return Token(argument);
  }
  // The bytes behind value, where value is a token.
  void Restore(std::string& value) const {
    const auto found = m_bytes.find(value);
    if (found != m_bytes.end()) value = found->second;
  }

 private:
  static constexpr const char* kTokenStart = "\uE000";
  QString Token(const std::string& bytes) {
    const std::string token = kTokenStart + std::to_string(m_bytes.size());
    m_bytes.emplace(token, bytes);
    return QString::fromStdString(token);
  }
  std::map<std::string, std::string> m_bytes;
};

}  // namespace

std::vector<std::string> WindowCommandLineFiles(const std::vector<std::string>& arguments) {
  std::vector<std::string> files;
  bool endOfOptionsSeen = false;
  for (std::size_t index = 1; index < arguments.size(); ++index) {
    if (arguments[index] == "--" && !endOfOptionsSeen) {
      endOfOptionsSeen = true;
      continue;
    }
    files.push_back(arguments[index]);
  }
  return files;
}

BatchCommandLine ParseBatchCommandLine(const std::vector<std::string>& arguments) {
  ArgumentBytes bytes;
  QStringList decoded;
  for (const std::string& argument : arguments) decoded << bytes.Decode(argument);
  BatchCommandLine line = ParseBatchCommandLine(decoded);
  bytes.Restore(line.options.outputFolder);
  for (std::string& file : line.options.files) bytes.Restore(file);
  return line;
}

const char* BatchFormatName(OutputFormatId format) {
  for (const auto& [name, id] : kFormatNames) {
    if (id == format) return name;
  }
  return "";
}

bool WantsCommandLine(const std::vector<std::string>& arguments) {
  for (std::size_t index = 1; index < arguments.size(); ++index) {
    const std::string& argument = arguments[index];
    if (argument == "--") return false;
    if (argument.size() > 1 && argument[0] == '-') return true;
  }
  return false;
}

BatchCommandLine ParseBatchCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(kDescription);
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  const QCommandLineOption batch("batch", "Run without a window: convert FILE... and make the disc, then end.");
  const QCommandLineOption format("format", "Output format: dvd, vcd, svcd, avi, mpeg, wmv or rm.", "FORMAT");
  const QCommandLineOption output("output", "Folder for the results (default: the one chosen last in the window).",
                                  "DIR");
  const QCommandLineOption device("device",
                                  "Burn on device N of the burner's list (see the log); default: the stored one.", "N");
  const QCommandLineOption image("image", "Write the disc as an image (ISO, or BIN/CUE) into the output folder.");
  const QCommandLineOption quality("quality", "Quality slider, 0 (small file) to 9 (high quality).", "0-9");
  const QCommandLineOption pal("pal", "PAL disc (default: by the locale, or the stored choice).");
  const QCommandLineOption ntsc("ntsc", "NTSC disc.");
  const QCommandLineOption select("select", "VCD/SVCD: the file (1 = the first) to convert when several are given.",
                                  "N");
  const QCommandLineOption yes("yes", "Answer OK/Continue to the job's questions; without it a question ends the job.");
  for (const QCommandLineOption& option : {batch, format, output, device, image, quality, pal, ntsc, select, yes}) {
    parser.addOption(option);
  }
  const QCommandLineOption jobs(
      "jobs", "Convert N files at once (0: as many as the processors keep busy); default: the stored setting.", "N");
  parser.addOption(jobs);
  const QCommandLineOption discSize(
      "disc-size", "Disc size: dvd5 or dvd9 for a DVD, 650, 700 or 800 (MB) for the CDs; default: the stored setting.",
      "SIZE");
  const QCommandLineOption plan("plan",
                                "Print how full the disc will be (the window's gauge) and end without converting; "
                                "exit status 1 when the list does not fit.");
  parser.addOption(discSize);
  parser.addOption(plan);
  const QCommandLineOption title("title", "DVD: the menu's text of title N (1 = the first FILE); repeatable.",
                                 "N=TEXT");
  const QCommandLineOption chapters("chapters",
                                    "DVD: a chapter every MIN minutes (1-30; 0: one chapter a title); "
                                    "default: the stored setting.",
                                    "MIN");
  parser.addOption(title);
  parser.addOption(chapters);
  parser.addPositionalArgument("FILE", "The video files, in the order of the disc.", "FILE...");

  if (!parser.parse(arguments)) return UsageError(parser.errorText().toStdString());
  BatchCommandLine result;
  if (parser.isSet(help)) {
    result.action = BatchCommandLine::Action::Help;
    result.text = parser.helpText().toStdString();
    return result;
  }
  if (parser.isSet(version)) {
    result.action = BatchCommandLine::Action::Version;
    result.text = std::string("orlenta ") + kProductVersionText + "\n";
    return result;
  }

  if (!parser.isSet(batch)) return UsageError("Options need --batch (the window takes one FILE and no options).");
  BatchOptions& options = result.options;
  if (!parser.isSet(format)) return UsageError("Missing option '--format'.");
  const QString formatName = parser.value(format).toLower();
  bool known = false;
  for (const auto& [name, id] : kFormatNames) {
    if (formatName == name) {
      options.format = id;
      known = true;
    }
  }
  if (!known) {
    return UsageError("Unknown value '" + parser.value(format).toStdString() +
                      "' of option '--format': one of dvd, vcd, svcd, avi, mpeg, wmv, rm.");
  }
  if (parser.isSet(output)) {
    options.outputFolder = parser.value(output).toStdString();
    if (options.outputFolder.empty()) return UsageError("Empty value of option '--output'.");
  }
  if (parser.isSet(device) && parser.isSet(image))
    return UsageError("Options '--device' and '--image' exclude each other.");
  if (parser.isSet(device)) {
    options.device = NumberIn(parser.value(device), 0, 25);
    if (!options.device) return UsageError("Option '--device' needs a device number from 0 to 25.");
  }
  options.image = parser.isSet(image);
  if (parser.isSet(quality)) {
    options.quality = NumberIn(parser.value(quality), 0, 9);
    if (!options.quality) return UsageError("Option '--quality' needs a number from 0 to 9.");
  }
  if (parser.isSet(pal) && parser.isSet(ntsc)) return UsageError("Options '--pal' and '--ntsc' exclude each other.");
  if (parser.isSet(pal)) options.discType = 1;
  if (parser.isSet(ntsc)) options.discType = 0;
  options.yes = parser.isSet(yes);
  if (parser.isSet(jobs)) {
    options.jobs = NumberIn(parser.value(jobs), 0, kMostParallelJobs);
    if (!options.jobs) {
      return UsageError("Option '--jobs' needs a number from 0 to " + std::to_string(kMostParallelJobs) + ".");
    }
  }

  if (parser.isSet(discSize)) {
    const QString size = parser.value(discSize).toLower();
    const QStringList dvdSizes = {"dvd5", "dvd9"};
    const QStringList cdSizes = {"650", "700", "800"};
    if (dvdSizes.contains(size)) {
      options.dvdDiscSize = static_cast<int>(dvdSizes.indexOf(size));
    } else if (cdSizes.contains(size)) {
      options.cdDiscSize = static_cast<int>(cdSizes.indexOf(size));
    } else {
      return UsageError("Unknown value '" + parser.value(discSize).toStdString() +
                        "' of option '--disc-size': one of dvd5, dvd9, 650, 700, 800.");
    }
  }
  options.plan = parser.isSet(plan);
  if (parser.isSet(chapters)) {
    options.chapterMinutes = NumberIn(parser.value(chapters), 0, 30);
    if (!options.chapterMinutes) return UsageError("Option '--chapters' needs a number of minutes from 0 to 30.");
  }

  for (const QString& file : parser.positionalArguments()) options.files.push_back(file.toStdString());
  if (options.files.empty()) return UsageError("No FILE given.");
  if (parser.isSet(select)) {
    const auto number = NumberIn(parser.value(select), 1, static_cast<int>(options.files.size()));
    if (!number) {
      return UsageError("Option '--select' needs a file number from 1 to " + std::to_string(options.files.size()) +
                        ".");
    }
    options.selection = *number - 1;
  }
  for (const QString& value : parser.values(title)) {
    const qsizetype equals = value.indexOf('=');
    const auto number =
        equals > 0 ? NumberIn(value.left(equals), 1, static_cast<int>(options.files.size())) : std::nullopt;
    if (!number) {
      return UsageError("Option '--title' needs N=TEXT with a file number N from 1 to " +
                        std::to_string(options.files.size()) + ".");
    }
    options.titles.emplace_back(*number, value.mid(equals + 1).toStdString());
  }
  result.action = BatchCommandLine::Action::Run;
  return result;
}
