#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace config {

// A small INI document held in memory: sections and keys in the order first seen, string
// values, numbers as decimal text. Nothing is ever removed. Names are compared after
// lower-casing ASCII letters (when case-insensitive); surrounding spaces are part of a name.
class CIniFile {
 public:
  // "Not found" for findKey and findValue.
  static constexpr std::size_t noID = static_cast<std::size_t>(-1);

  // An empty document over `path`; does not read the file.
  explicit CIniFile(std::string path = "");
  virtual ~CIniFile() = default;

  const std::string& getPath() const { return path_; }
  void setPath(const std::string& path) { path_ = path; }
  bool getCaseInsensitive() const { return caseInsensitive_; }
  void setCaseInsensitive(bool caseInsensitive);

  // The largest file readFile() reads: 64 MiB, far above any settings file people write, and
  // read in well under a second. A larger file is not read at all.
  static constexpr std::uintmax_t kMaxFileBytes = 64u * 1024 * 1024;

  // Adds what the file holds to the document (it is never emptied first), in time linear in
  // the file's size. True when the document has at least one section afterwards and every line
  // could be read. A line starting with a byte that is not printable ASCII prints
  // "Failing on char %d\n" on standard output (and the file and line on standard error) and is
  // passed over; the lines after it are read. A file over kMaxFileBytes is passed over whole,
  // with a message on standard error.
  bool readFile();
  // Lines the last readFile() passed over; a save would drop them from the file.
  int badLines() const { return badLines_; }
  // Whether the last readFile() passed over the whole file for its size.
  bool wasTooLarge() const { return tooLarge_; }
  // Replaces the file at `path` with the whole document through platform::saveFile(), so a
  // crash or a full disk never leaves a truncated file and only a regular file (or a link to
  // one) is replaced. False (and lastError() says why) when it cannot be written.
  bool writeFile();
  // Why the last writeFile() failed; empty after a success.
  const std::string& lastError() const { return lastError_; }
  // The document as writeFile() would store it, with "\n" line ends.
  std::string toText() const;

  std::size_t findKey(const std::string& section) const;
  std::size_t findValue(std::size_t sectionIndex, const std::string& key) const;
  // Appends a section unconditionally (repeated names are allowed); returns its index.
  std::size_t addKeyName(const std::string& section);

  std::string getValue(const std::string& section, const std::string& key,
                       const std::string& defaultValue = "") const;
  // Converted like atoi: leading white space, optional sign, digits; no digits gives 0.
  int getValueInt(const std::string& section, const std::string& key, int defaultValue = 0) const;
  bool setValue(const std::string& section, const std::string& key, const std::string& value,
                bool create = true);
  bool setValueInt(const std::string& section, const std::string& key, int value);

  void headerComment(const std::string& comment);
  bool keyComment(std::size_t sectionIndex, const std::string& comment);
  bool keyComment(const std::string& section, const std::string& comment);

  std::string checkCase(std::string name) const;

  // Read-only views for callers that list the document.
  std::size_t numKeys() const { return names_.size(); }
  const std::string& keyName(std::size_t sectionIndex) const { return names_.at(sectionIndex); }
  std::size_t numValues(std::size_t sectionIndex) const {
    return keys_.at(sectionIndex).names.size();
  }
  const std::string& valueName(std::size_t sectionIndex, std::size_t keyIndex) const {
    return keys_.at(sectionIndex).names.at(keyIndex);
  }
  const std::vector<std::string>& keyComments(std::size_t sectionIndex) const {
    return keys_.at(sectionIndex).comments;
  }
  const std::vector<std::string>& headerComments() const { return comments_; }

 private:
  struct Section {
    std::vector<std::string> names;
    std::vector<std::string> values;
    std::vector<std::string> comments;
  };

  // Names as checkCase() folds them, to their index: the first section of each name, and each
  // section's keys. Without them every setting read from the file searched the whole document,
  // which made reading a file of many keys quadratic.
  using Index = std::unordered_map<std::string, std::size_t>;
  void rebuildIndexes();

  bool caseInsensitive_ = true;
  std::string path_;
  std::vector<Section> keys_;  // parallel to names_
  std::vector<std::string> names_;
  std::vector<std::string> comments_;
  Index sectionIndex_;
  std::vector<Index> keyIndexes_;  // parallel to names_
  std::string lastError_;
  int badLines_ = 0;
  bool tooLarge_ = false;
};

}  // namespace config
