#include "config/IniFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <utility>

#include "platform/SafeSave.h"

namespace config {

namespace {

// Leading white space, optional sign, digits up to the first non-digit; nothing gives 0.
// Saturates instead of overflowing, which atoi leaves undefined.
int parseIntLikeAtoi(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  long long magnitude = 0;
  constexpr long long kLimit = 2147483648LL;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > kLimit) magnitude = kLimit;
  }
  long long value = negative ? -magnitude : magnitude;
  if (value > 2147483647LL) value = 2147483647LL;
  return static_cast<int>(value);
}

}  // namespace

CIniFile::CIniFile(std::string path) : path_(std::move(path)) {}

void CIniFile::setCaseInsensitive(bool caseInsensitive) {
  caseInsensitive_ = caseInsensitive;
  rebuildIndexes();
}

void CIniFile::rebuildIndexes() {
  sectionIndex_.clear();
  keyIndexes_.assign(names_.size(), Index{});
  for (std::size_t i = 0; i < names_.size(); ++i) {
    sectionIndex_.emplace(checkCase(names_[i]), i);
    for (std::size_t j = 0; j < keys_[i].names.size(); ++j) {
      keyIndexes_[i].emplace(checkCase(keys_[i].names[j]), j);
    }
  }
}

bool CIniFile::readFile() {
  std::ifstream in(path_, std::ios::binary);
  if (!in) return false;

  badLines_ = 0;
  std::error_code sizeError;
  const std::uintmax_t bytes = std::filesystem::file_size(path_, sizeError);
  tooLarge_ = !sizeError && bytes > kMaxFileBytes;
  if (tooLarge_) {
    std::fprintf(stderr, "%s: not read, it is larger than %ju MiB (%ju bytes)\n", path_.c_str(),
                 kMaxFileBytes / (1024 * 1024), bytes);
    return false;
  }
  std::string sectionName;
  std::string line;
  long lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    // Editors on other systems may start the file with a byte-order mark; it is not a setting.
    if (lineNumber == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    // Any number of carriage returns: a file saved with "\r\r\n" line ends reads the same.
    while (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;

    const unsigned char first = static_cast<unsigned char>(line[0]);
    if (first < 32 || first > 126) {
      std::printf("Failing on char %d\n", static_cast<int>(static_cast<signed char>(line[0])));
      std::fflush(stdout);
      // Only this line is passed over: stopping here would let the next save delete every
      // setting after it.
      std::fprintf(stderr, "%s, line %ld: skipped, it does not start with a printable character\n",
                   path_.c_str(), lineNumber);
      ++badLines_;
      continue;
    }

    const std::size_t marker = line.find_first_of(";#[=");
    if (marker == std::string::npos) continue;
    switch (line[marker]) {
      case '[': {
        const std::size_t close = line.find_last_of(']');
        if (close != std::string::npos && close > marker) {
          sectionName = line.substr(marker + 1, close - marker - 1);
          addKeyName(sectionName);
        }
        break;
      }
      case '=':
        setValue(sectionName, line.substr(0, marker), line.substr(marker + 1), true);
        break;
      default: {
        std::string comment = line.substr(marker + 1);
        if (names_.empty()) {
          headerComment(comment);
        } else {
          keyComment(sectionName, comment);
        }
        break;
      }
    }
  }
  return badLines_ == 0 && !names_.empty();
}

std::string CIniFile::toText() const {
  std::ostringstream out;
  for (const auto& comment : comments_) out << ';' << comment << '\n';
  if (!comments_.empty()) out << '\n';
  for (std::size_t i = 0; i < names_.size(); ++i) {
    out << '[' << names_[i] << "]\n";
    const Section& section = keys_[i];
    for (const auto& comment : section.comments) out << ';' << comment << '\n';
    for (std::size_t j = 0; j < section.names.size(); ++j) {
      out << section.names[j] << '=' << section.values[j] << '\n';
    }
    out << '\n';
  }
  return out.str();
}

bool CIniFile::writeFile() {
  lastError_.clear();
  const std::string text = toText();
  try {
    platform::saveFile(
        path_, [&](platform::SaveStream& out) { out.write(text); }, "the settings");
  } catch (const platform::SaveError& error) {
    lastError_ = error.what();
    return false;
  }
  return true;
}

std::size_t CIniFile::findKey(const std::string& section) const {
  const auto found = sectionIndex_.find(checkCase(section));
  return found == sectionIndex_.end() ? noID : found->second;
}

std::size_t CIniFile::findValue(std::size_t sectionIndex, const std::string& key) const {
  if (sectionIndex >= keys_.size()) return noID;
  const Index& keys = keyIndexes_[sectionIndex];
  const auto found = keys.find(checkCase(key));
  return found == keys.end() ? noID : found->second;
}

std::size_t CIniFile::addKeyName(const std::string& section) {
  names_.push_back(section);
  keys_.emplace_back();
  keyIndexes_.emplace_back();
  // A repeated name keeps finding its first section.
  sectionIndex_.emplace(checkCase(section), names_.size() - 1);
  return names_.size() - 1;
}

std::string CIniFile::getValue(const std::string& section, const std::string& key,
                               const std::string& defaultValue) const {
  const std::size_t i = findKey(section);
  if (i == noID) return defaultValue;
  const std::size_t j = findValue(i, key);
  if (j == noID) return defaultValue;
  return keys_[i].values[j];
}

int CIniFile::getValueInt(const std::string& section, const std::string& key,
                          int defaultValue) const {
  return parseIntLikeAtoi(getValue(section, key, std::to_string(defaultValue)));
}

bool CIniFile::setValue(const std::string& section, const std::string& key,
                        const std::string& value, bool create) {
  std::size_t i = findKey(section);
  if (i == noID) {
    if (!create) return false;
    i = addKeyName(section);
  }
  const std::size_t j = findValue(i, key);
  if (j == noID) {
    if (!create) return false;
    keyIndexes_[i].emplace(checkCase(key), keys_[i].names.size());
    keys_[i].names.push_back(key);
    keys_[i].values.push_back(value);
    return true;
  }
  keys_[i].values[j] = value;
  return true;
}

bool CIniFile::setValueInt(const std::string& section, const std::string& key, int value) {
  return setValue(section, key, std::to_string(value), true);
}

void CIniFile::headerComment(const std::string& comment) {
  comments_.push_back(comment);
}

bool CIniFile::keyComment(std::size_t sectionIndex, const std::string& comment) {
  if (sectionIndex >= keys_.size()) return false;
  keys_[sectionIndex].comments.push_back(comment);
  return true;
}

bool CIniFile::keyComment(const std::string& section, const std::string& comment) {
  return keyComment(findKey(section), comment);
}

std::string CIniFile::checkCase(std::string name) const {
  if (!caseInsensitive_) return name;
  for (char& c : name) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return name;
}

}  // namespace config
