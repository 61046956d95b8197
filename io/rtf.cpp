#include "rtf.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/encoding.h"

namespace automaten {

namespace {

// Destinations whose text is not part of the document.
const char* const kSkippedDestinations[] = {
    "fonttbl",
    "colortbl",
    "stylesheet",
    "info",
    "pict",
    "object",
    "header",
    "footer",
    "headerl",
    "headerr",
    "headerf",
    "footerl",
    "footerr",
    "footerf",
    "listtable",
    "listoverridetable",
    "rsidtbl",
    "generator",
    "xmlnstbl",
    "themedata",
    "colorschememapping",
    "latentstyles",
    "datastore",
    "fldinst",
    "filetbl",
    "revtbl",
    "pntext",
    "pntxta",
    "pntxtb",
    "footnote",
    "annotation",
    "nonshppict",
    "shppict",
    "userprops",
    "docvar",
    "mmathPr",
    "xe",
    "tc",
    "bkmkstart",
    "bkmkend",
    "field_instruction_placeholder",
};

struct GroupState {
  bool skip = false;  // text in this group is not output
  int uc = 1;         // fallback characters after \uN
};

constexpr std::size_t kMaxDepth = 256;

class Reader {
 public:
  explicit Reader(const std::string& in) : in_(in) {}

  std::string Run() {
    stack_.push_back(GroupState{});
    while (pos_ < in_.size()) {
      const char c = in_[pos_++];
      switch (c) {
        case '{':
          if (stack_.size() < kMaxDepth)
            stack_.push_back(stack_.back());
          else
            ++overflow_;  // deeper groups share the innermost state
          pendingSkip_ = 0;
          break;
        case '}':
          if (overflow_ > 0)
            --overflow_;
          else if (stack_.size() > 1)
            stack_.pop_back();
          pendingSkip_ = 0;
          break;
        case '\\': Control(); break;
        case '\r':
        case '\n': break;  // line breaks in the source mean nothing
        default: Char(static_cast<unsigned char>(c)); break;
      }
    }
    FlushSurrogate();
    return out_;
  }

 private:
  GroupState& State() { return stack_.back(); }

  // One character of text; a \uN before it may ask to drop it.
  void Char(unsigned char byte) {
    if (pendingSkip_ > 0) {
      --pendingSkip_;
      return;
    }
    Emit(Cp1252ToUnicode(byte));
  }

  void Emit(char32_t code) {
    if (State().skip) return;
    if (code >= 0xD800 && code <= 0xDBFF) {
      FlushSurrogate();
      highSurrogate_ = code;
      return;
    }
    if (code >= 0xDC00 && code <= 0xDFFF) {
      if (highSurrogate_ != 0)
        code = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (code - 0xDC00);
      else
        code = 0xFFFD;
      highSurrogate_ = 0;
    } else {
      FlushSurrogate();
    }
    AppendUtf8(code);
  }

  void FlushSurrogate() {
    if (highSurrogate_ != 0 && !State().skip) AppendUtf8(0xFFFD);
    highSurrogate_ = 0;
  }

  void AppendUtf8(char32_t c) {
    if (c != 0) automaten::AppendUtf8(out_, c);
  }

  static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  static int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  void Control() {
    if (pos_ >= in_.size()) return;
    const char c = in_[pos_];
    if (!IsLetter(c)) {
      ++pos_;
      Symbol(c);
      return;
    }
    const std::size_t start = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_]) && pos_ - start < 32) ++pos_;
    const std::string word = in_.substr(start, pos_ - start);
    bool hasParam = false;
    bool negative = false;
    long long param = 0;
    if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && IsDigit(in_[pos_ + 1])) {
      negative = true;
      ++pos_;
    }
    int digits = 0;
    while (pos_ < in_.size() && IsDigit(in_[pos_])) {
      if (digits < 10) param = param * 10 + (in_[pos_] - '0');
      ++digits;
      ++pos_;
      hasParam = true;
    }
    if (negative) param = -param;
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiter belongs to the word
    Word(word, hasParam, param);
  }

  void Symbol(char c) {
    switch (c) {
      case '\\':
      case '{':
      case '}': Char(static_cast<unsigned char>(c)); break;
      case '\'': {
        int value = -1;
        if (pos_ + 1 < in_.size()) {
          const int hi = HexValue(in_[pos_]), lo = HexValue(in_[pos_ + 1]);
          if (hi >= 0 && lo >= 0) value = hi * 16 + lo;
        }
        if (value < 0) return;
        pos_ += 2;
        Char(static_cast<unsigned char>(value));
        break;
      }
      case '*':
        State().skip = true;  // an optional destination this reader does not know
        break;
      case '~': Emit(0xA0); break;
      case '_': Emit('-'); break;
      case '\r':
      case '\n': Emit('\n'); break;
      default: break;  // \- (optional hyphen), \| and others: nothing to show
    }
  }

  void Word(const std::string& w, bool hasParam, long long param) {
    // A word counts as one fallback character after \uN.
    if (pendingSkip_ > 0 && w != "u") {
      --pendingSkip_;
      return;
    }
    for (const char* d : kSkippedDestinations)
      if (w == d) {
        State().skip = true;
        return;
      }
    if (w == "par" || w == "line" || w == "row" || w == "sect" || w == "page") {
      Emit('\n');
    } else if (w == "tab" || w == "cell") {
      Emit('\t');
    } else if (w == "uc") {
      State().uc = hasParam && param >= 0 && param <= 16 ? static_cast<int>(param) : 1;
    } else if (w == "u" && hasParam) {
      long long code = param;
      if (code < 0) code += 65536;
      if (code >= 0 && code <= 0xFFFF) Emit(static_cast<char32_t>(code));
      pendingSkip_ = State().uc;
    } else if (w == "bin" && hasParam && param > 0) {
      const std::size_t skip = static_cast<std::size_t>(param);
      pos_ = skip > in_.size() - pos_ ? in_.size() : pos_ + skip;
    } else if (w == "emdash") {
      Emit(0x2014);
    } else if (w == "endash") {
      Emit(0x2013);
    } else if (w == "bullet") {
      Emit(0x2022);
    } else if (w == "lquote") {
      Emit(0x2018);
    } else if (w == "rquote") {
      Emit(0x2019);
    } else if (w == "ldblquote") {
      Emit(0x201C);
    } else if (w == "rdblquote") {
      Emit(0x201D);
    }
  }

  const std::string& in_;
  std::size_t pos_ = 0;
  std::vector<GroupState> stack_;
  std::size_t overflow_ = 0;
  int pendingSkip_ = 0;
  char32_t highSurrogate_ = 0;
  std::string out_;
};

}  // namespace

bool LooksLikeRtf(const std::string& bytes) { return bytes.compare(0, 5, "{\\rtf") == 0; }

std::string RtfToText(const std::string& rtf) { return Reader(rtf).Run(); }

}  // namespace automaten
