#include "regex.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "engine/encoding.h"
#include "engine/text.h"
#include "engine/types.h"

namespace automaten {

namespace {

using Kind = Regex::Kind;

constexpr char32_t kEmptyWord = U'\u03B5';  // ε
constexpr char32_t kNoWord = U'\u2205';     // ∅

// The code points of a UTF-8 text; false when it is none.
bool CodePoints(const std::string& utf8, std::vector<char32_t>& out) {
  out.clear();
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const int length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + static_cast<std::size_t>(length) > utf8.size()) return false;
    char32_t c = length == 1 ? b : b & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
      if ((next >> 6) != 2) return false;
      c = (c << 6) | (next & 0x3F);
    }
    out.push_back(c);
    i += static_cast<std::size_t>(length);
  }
  return true;
}

std::string Utf8Of(char32_t c) {
  std::string s;
  AppendUtf8(s, c);
  return s;
}

// A character of the expression or grammar as a tape symbol: one of the code
// page, not a blank, not the comment sign and not the blank of the tape.
bool TapeSymbol(char32_t c, char& symbol) {
  return c > U' ' && c != U';' && UnicodeToCp1252(c, symbol) && symbol != kTmBlank &&
         static_cast<unsigned char>(symbol) != 0x7F;
}

// Builds expressions, each distinct one once (so that equal parts are equal
// numbers), and rewrites them short as they are made.
class Builder {
 public:
  explicit Builder(Regex& r) : r_(r) {}

  Kind KindOf(int a) const { return r_.nodes[static_cast<std::size_t>(a)].kind; }
  int Left(int a) const { return r_.nodes[static_cast<std::size_t>(a)].left; }
  int Right(int a) const { return r_.nodes[static_cast<std::size_t>(a)].right; }

  int Nothing() { return Make(Kind::Nothing); }
  int Empty() { return Make(Kind::Empty); }
  int Symbol(char c) { return Make(Kind::Symbol, c); }

  // The length of the expression's text, at most: each part with its parentheses.
  std::size_t Length(int a) const { return length_[static_cast<std::size_t>(a)]; }

  bool Nullable(int a) const {
    switch (KindOf(a)) {
      case Kind::Empty:
      case Kind::Star:
      case Kind::Optional: return true;
      case Kind::Nothing:
      case Kind::Symbol: return false;
      case Kind::Concat: return Nullable(Left(a)) && Nullable(Right(a));
      case Kind::Alt: return Nullable(Left(a)) || Nullable(Right(a));
      case Kind::Plus: return Nullable(Left(a));
    }
    return false;
  }

  // Concatenations nest to the right: "abc" is a(bc).
  int Cat(int a, int b) {
    if (KindOf(a) == Kind::Nothing || KindOf(b) == Kind::Nothing) return Nothing();
    if (KindOf(a) == Kind::Empty) return b;
    if (KindOf(b) == Kind::Empty) return a;
    if (KindOf(a) == Kind::Concat) return Cat(Left(a), Cat(Right(a), b));
    // a a* and a* a are a+; a a*c is a+c.
    if (KindOf(b) == Kind::Star && Left(b) == a) return Plus(a);
    if (KindOf(a) == Kind::Star && Left(a) == b) return Plus(b);
    if (KindOf(b) == Kind::Concat && KindOf(Left(b)) == Kind::Star && Left(Left(b)) == a) return Cat(Plus(a), Right(b));
    return Make(Kind::Concat, 0, a, b);
  }

  // Alternatives once each, in the order first written; ε among them makes the rest optional.
  int Or(int a, int b) {
    std::vector<int> alternatives;
    bool empty = false;
    const auto collect = [&](int x, const auto& self) -> void {
      switch (KindOf(x)) {
        case Kind::Nothing: return;
        case Kind::Empty: empty = true; return;
        case Kind::Alt:
          self(Left(x), self);
          self(Right(x), self);
          return;
        case Kind::Optional:
          empty = true;
          self(Left(x), self);
          return;
        default:
          if (std::find(alternatives.begin(), alternatives.end(), x) == alternatives.end()) alternatives.push_back(x);
      }
    };
    collect(a, collect);
    collect(b, collect);
    if (alternatives.empty()) return empty ? Empty() : Nothing();
    int result = alternatives.back();
    for (std::size_t i = alternatives.size() - 1; i-- > 0;) result = Make(Kind::Alt, 0, alternatives[i], result);
    return empty ? Optional(result) : result;
  }

  int Star(int a) {
    switch (KindOf(a)) {
      case Kind::Nothing:
      case Kind::Empty: return Empty();
      case Kind::Star: return a;
      case Kind::Plus:
      case Kind::Optional: return Star(Left(a));
      default: return Make(Kind::Star, 0, a);
    }
  }

  int Plus(int a) {
    switch (KindOf(a)) {
      case Kind::Nothing:
      case Kind::Empty:
      case Kind::Star:
      case Kind::Plus: return a;
      case Kind::Optional: return Star(Left(a));
      default: return Make(Kind::Plus, 0, a);
    }
  }

  int Optional(int a) {
    if (KindOf(a) == Kind::Nothing) return Empty();
    if (Nullable(a)) return a;
    if (KindOf(a) == Kind::Plus) return Star(Left(a));
    return Make(Kind::Optional, 0, a);
  }

 private:
  int Make(Kind kind, char symbol = 0, int left = -1, int right = -1) {
    const long long key =
        ((static_cast<long long>(kind) * 256 + static_cast<unsigned char>(symbol)) * 4194304LL + (left + 1)) *
            4194304LL +
        (right + 1);
    const auto [it, added] = known_.emplace(key, static_cast<int>(r_.nodes.size()));
    if (added) {
      r_.nodes.push_back({kind, symbol, left, right});
      const std::size_t l = left < 0 ? 0 : Length(left), r = right < 0 ? 0 : Length(right);
      length_.push_back(kind == Kind::Symbol ? 2 : kind <= Kind::Empty ? 1 : std::min(l + r + 3, kNoLength));
    }
    return it->second;
  }

  static constexpr std::size_t kNoLength = ~std::size_t{0} / 4;
  Regex& r_;
  std::unordered_map<long long, int> known_;
  std::vector<std::size_t> length_;
};

// ---- Reading an expression ----

class Reader {
 public:
  Reader(const std::vector<char32_t>& text, Builder& b) : text_(text), b_(b) {}

  bool Read(int& root, std::string& error) {
    root = Alternatives();
    if (fault_.empty() && at_ < text_.size()) Fault(at_, "„)“ ohne „(“.");
    error = fault_;
    return fault_.empty();
  }

 private:
  void Fault(std::size_t at, const std::string& what) {
    if (fault_.empty()) fault_ = "Fehler im regulären Ausdruck, Spalte " + Decimal(at + 1) + ": " + what;
  }
  void SkipBlanks() {
    while (at_ < text_.size() && (text_[at_] == U' ' || text_[at_] == U'\t')) ++at_;
  }
  bool At(char32_t c) {
    SkipBlanks();
    return at_ < text_.size() && text_[at_] == c;
  }

  int Alternatives() {
    int result = Sequence();
    while (fault_.empty() && At(U'|')) {
      ++at_;
      result = b_.Or(result, Sequence());
    }
    return result;
  }

  // The parts are joined from the right, as concatenations nest.
  int Sequence() {
    SkipBlanks();
    const std::size_t start = at_;
    std::vector<int> parts;
    while (fault_.empty()) {
      SkipBlanks();
      if (at_ >= text_.size() || text_[at_] == U'|' || text_[at_] == U')') break;
      parts.push_back(Repeated());
    }
    if (parts.empty() && fault_.empty()) Fault(start, "Hier fehlt ein Ausdruck.");
    int result = b_.Empty();
    for (std::size_t i = parts.size(); i-- > 0;) result = b_.Cat(parts[i], result);
    return result;
  }

  int Repeated() {
    int result = Atom();
    while (fault_.empty()) {
      SkipBlanks();
      if (at_ >= text_.size()) break;
      const char32_t c = text_[at_];
      if (c == U'*')
        result = b_.Star(result);
      else if (c == U'+')
        result = b_.Plus(result);
      else if (c == U'?')
        result = b_.Optional(result);
      else
        break;
      ++at_;
    }
    return result;
  }

  int Atom() {
    const std::size_t start = at_;
    const char32_t c = text_[at_++];
    switch (c) {
      case U'(': {
        if (At(U')')) {  // "()": the empty word
          ++at_;
          return b_.Empty();
        }
        if (++depth_ > kMaxRegexDepth) {
          Fault(start, "mehr als " + Decimal(kMaxRegexDepth) + " Klammern ineinander.");
          return b_.Empty();
        }
        const int inner = Alternatives();
        --depth_;
        if (fault_.empty() && !At(U')')) Fault(at_, "„)“ fehlt zu „(“ in Spalte " + Decimal(start + 1) + ".");
        ++at_;
        return inner;
      }
      case U'*':
      case U'+':
      case U'?': Fault(start, "„" + Utf8Of(c) + "“ steht ohne Ausdruck davor."); return b_.Empty();
      case kEmptyWord: return b_.Empty();
      case kNoWord: return b_.Nothing();
      case U'\\': {
        if (at_ >= text_.size()) {
          Fault(start, "Nach „\\“ fehlt das Zeichen.");
          return b_.Empty();
        }
        return Symbol(at_++);
      }
      default: return Symbol(start);
    }
  }

  int Symbol(std::size_t at) {
    char symbol = 0;
    if (!TapeSymbol(text_[at], symbol)) {
      Fault(at, "„" + Utf8Of(text_[at]) + "“ ist kein Bandzeichen.");
      return b_.Empty();
    }
    return b_.Symbol(symbol);
  }

  const std::vector<char32_t>& text_;
  Builder& b_;
  std::size_t at_ = 0;
  int depth_ = 0;
  std::string fault_;
};

// ---- Writing an expression ----

bool Special(char c) { return std::string("|*+?()\\").find(c) != std::string::npos; }

// Each part in parentheses only where its context binds tighter: 0 an
// alternative, 1 a part of a sequence, 2 the operand of *, + or ?.
void Write(const Regex& r, int a, int context, std::string& out) {
  const Regex::Node& n = r.nodes[static_cast<std::size_t>(a)];
  const int level = n.kind == Kind::Alt ? 0 : n.kind == Kind::Concat ? 1 : n.kind >= Kind::Star ? 2 : 3;
  const bool wrap = level < context || (context == 2 && level == 2);
  if (wrap) out += '(';
  switch (n.kind) {
    case Kind::Nothing: AppendUtf8(out, kNoWord); break;
    case Kind::Empty: AppendUtf8(out, kEmptyWord); break;
    case Kind::Symbol:
      if (Special(n.symbol)) out += '\\';
      out += Cp1252ToUtf8(std::string(1, n.symbol));
      break;
    case Kind::Concat:
      Write(r, n.left, 1, out);
      Write(r, n.right, 1, out);
      break;
    case Kind::Alt:
      Write(r, n.left, 0, out);
      out += '|';
      Write(r, n.right, 0, out);
      break;
    case Kind::Star:
    case Kind::Plus:
    case Kind::Optional:
      Write(r, n.left, 2, out);
      out += n.kind == Kind::Star ? '*' : n.kind == Kind::Plus ? '+' : '?';
      break;
  }
  if (wrap) out += ')';
}

// ---- Automata with empty moves ----

struct Nfa {
  std::vector<std::vector<std::pair<char, int>>> moves;
  std::vector<std::vector<int>> empty;
  std::vector<bool> accepting;
  int start = 0;

  int Add() {
    moves.emplace_back();
    empty.emplace_back();
    accepting.push_back(false);
    return static_cast<int>(moves.size()) - 1;
  }
  void Move(int from, char c, int to) { moves[static_cast<std::size_t>(from)].push_back({c, to}); }
  void Empty(int from, int to) { empty[static_cast<std::size_t>(from)].push_back(to); }
};

// Thompson's construction: a piece from `in` to `out`.
void Build(const Regex& r, int a, Nfa& m, int in, int out) {
  const Regex::Node& n = r.nodes[static_cast<std::size_t>(a)];
  switch (n.kind) {
    case Kind::Nothing: return;
    case Kind::Empty: m.Empty(in, out); return;
    case Kind::Symbol: m.Move(in, n.symbol, out); return;
    case Kind::Concat: {
      const int middle = m.Add();
      Build(r, n.left, m, in, middle);
      Build(r, n.right, m, middle, out);
      return;
    }
    case Kind::Alt:
      Build(r, n.left, m, in, out);
      Build(r, n.right, m, in, out);
      return;
    case Kind::Star:
    case Kind::Plus:
    case Kind::Optional: {
      // A loop of its own, so that no empty move leads back around another part.
      const int from = m.Add(), to = m.Add();
      m.Empty(in, from);
      m.Empty(to, out);
      Build(r, n.left, m, from, to);
      if (n.kind != Kind::Optional) m.Empty(to, from);
      if (n.kind != Kind::Plus) m.Empty(in, out);
      return;
    }
  }
}

// The subset construction over the reachable sets, breadth-first.
bool NfaDfa(const Nfa& m, Dfa& dfa, std::string& error) {
  dfa = Dfa{};
  std::string alphabet;
  for (const auto& list : m.moves)
    for (const auto& [c, to] : list)
      if (alphabet.find(c) == std::string::npos) alphabet += c;
  std::sort(alphabet.begin(), alphabet.end(),
            [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
  dfa.alphabet = alphabet;
  std::vector<int> mark(m.moves.size(), -1);
  int stamp = 0;
  const auto closure = [&](std::vector<int> set) {
    ++stamp;
    for (int q : set) mark[static_cast<std::size_t>(q)] = stamp;
    for (std::size_t i = 0; i < set.size(); ++i)
      for (int to : m.empty[static_cast<std::size_t>(set[i])])
        if (mark[static_cast<std::size_t>(to)] != stamp) {
          mark[static_cast<std::size_t>(to)] = stamp;
          set.push_back(to);
        }
    std::sort(set.begin(), set.end());
    return set;
  };
  std::map<std::vector<int>, int> number;
  std::vector<std::vector<int>> sets;
  const auto visit = [&](std::vector<int> set) {
    const auto [it, added] = number.emplace(set, static_cast<int>(sets.size()));
    if (added) sets.push_back(std::move(set));
    return it->second;
  };
  visit(closure({m.start}));
  for (std::size_t i = 0; i < sets.size(); ++i) {
    if (sets.size() > kMaxLanguageStates) {
      error = "Das Ergebnis hätte mehr als 100.000 Zustände; abgebrochen.";
      return false;
    }
    std::vector<int> row(alphabet.size(), -1);
    for (std::size_t c = 0; c < alphabet.size(); ++c) {
      std::vector<int> next;
      ++stamp;
      for (int q : sets[i])
        for (const auto& [symbol, to] : m.moves[static_cast<std::size_t>(q)])
          if (symbol == alphabet[c] && mark[static_cast<std::size_t>(to)] != stamp) {
            mark[static_cast<std::size_t>(to)] = stamp;
            next.push_back(to);
          }
      if (!next.empty()) row[c] = visit(closure(std::move(next)));
    }
    dfa.next.push_back(std::move(row));
    bool accepts = false;
    for (int q : sets[i]) accepts = accepts || m.accepting[static_cast<std::size_t>(q)];
    dfa.accepting.push_back(accepts);
    dfa.stands.emplace_back();
  }
  return true;
}

// ---- Grammars ----

bool Capital(char32_t c) { return c >= U'A' && c <= U'Z'; }
bool NameTail(char32_t c) { return (c >= U'0' && c <= U'9') || c == U'\''; }

std::string Narrow(const std::vector<char32_t>& text, std::size_t from, std::size_t to) {
  std::string s;
  for (std::size_t i = from; i < to; ++i) AppendUtf8(s, text[i]);
  return s;
}

}  // namespace

bool ReadRegex(const std::string& utf8, Regex& regex, std::string& error) {
  regex = Regex{};
  std::vector<char32_t> text;
  if (!CodePoints(utf8, text)) {
    error = "Fehler im regulären Ausdruck: er ist kein gültiges UTF-8.";
    return false;
  }
  if (text.size() > kMaxRegexLength) {
    error = "Fehler im regulären Ausdruck: er ist länger als 10.000 Zeichen.";
    return false;
  }
  if (Trim(utf8).empty()) {
    error = "Fehler im regulären Ausdruck: er ist leer (das leere Wort ist „ε“ oder „()“).";
    return false;
  }
  Builder b(regex);
  Reader reader(text, b);
  return reader.Read(regex.root, error);
}

std::string RegexText(const Regex& regex) {
  std::string out;
  if (regex.root >= 0) Write(regex, regex.root, 0, out);
  return out;
}

bool RegexDfa(const Regex& regex, Dfa& dfa, std::string& error) {
  Nfa m;
  m.start = m.Add();
  const int end = m.Add();
  m.accepting[static_cast<std::size_t>(end)] = true;
  if (regex.root >= 0) Build(regex, regex.root, m, m.start, end);
  return NfaDfa(m, dfa, error);
}

bool DfaRegex(const Dfa& dfa, Regex& r, std::string& error) {
  r = Regex{};
  Builder b(r);
  const std::size_t n = dfa.Size();
  const std::size_t start = n, end = n + 1;
  // The generalised automaton: an expression on each edge, from a new start to a new end.
  std::vector<std::map<std::size_t, int>> out(n + 2), in(n + 2);
  const auto add = [&](std::size_t p, std::size_t q, int e) {
    const auto it = out[p].find(q);
    const int joined = it == out[p].end() ? e : b.Or(it->second, e);
    out[p][q] = joined;
    in[q][p] = joined;
  };
  if (n > 0) add(start, 0, b.Empty());
  for (std::size_t p = 0; p < n; ++p) {
    for (std::size_t c = 0; c < dfa.alphabet.size(); ++c)
      if (dfa.next[p][c] >= 0) add(p, static_cast<std::size_t>(dfa.next[p][c]), b.Symbol(dfa.alphabet[c]));
    if (dfa.accepting[p]) add(p, end, b.Empty());
  }
  std::vector<bool> gone(n, false);
  for (std::size_t round = 0; round < n; ++round) {
    // The state with the fewest paths through it goes next.
    std::size_t k = n;
    std::size_t best = 0;
    for (std::size_t s = 0; s < n; ++s) {
      if (gone[s]) continue;
      const std::size_t ins = in[s].size() - in[s].count(s), outs = out[s].size() - out[s].count(s);
      if (k == n || ins * outs < best) {
        k = s;
        best = ins * outs;
      }
    }
    gone[k] = true;
    const auto loop = out[k].find(k);
    const int around = loop == out[k].end() ? b.Empty() : b.Star(loop->second);
    for (const auto& [p, into] : in[k]) {
      if (p == k) continue;
      for (const auto& [q, from] : out[k]) {
        if (q == k) continue;
        const int through = b.Cat(into, b.Cat(around, from));
        if (b.Length(through) > kMaxRegexResult) {
          error = "Der Ausdruck hätte mehr als 100.000 Zeichen; abgebrochen.";
          return false;
        }
        add(p, q, through);
      }
    }
    for (const auto& [p, e] : in[k]) out[p].erase(k);
    for (const auto& [q, e] : out[k]) in[q].erase(k);
    out[k].clear();
    in[k].clear();
  }
  const auto result = out[start].find(end);
  r.root = result == out[start].end() ? b.Nothing() : result->second;
  return true;
}

bool ReadGrammar(const std::string& utf8, Grammar& grammar, std::string& error) {
  grammar = Grammar{};
  const std::vector<std::string> lines = SplitLines(utf8);
  for (std::size_t l = 0; l < lines.size(); ++l) {
    const std::string line = Trim(lines[l]);
    if (line.empty() || line[0] == ';') continue;
    const auto fault = [&](const std::string& what) {
      error = "Fehler in der Grammatik, Zeile " + Decimal(l + 1) + ": " + what;
      return false;
    };
    std::vector<char32_t> text;
    if (!CodePoints(line, text)) return fault("sie ist kein gültiges UTF-8.");
    std::size_t at = 0;
    const auto skip = [&] {
      while (at < text.size() && (text[at] == U' ' || text[at] == U'\t')) ++at;
    };
    // The left side, then "->" or "→".
    const std::size_t nameStart = at;
    if (at >= text.size() || !Capital(text[at])) return fault("links steht kein Nichtterminal (ein Großbuchstabe).");
    ++at;
    while (at < text.size() && NameTail(text[at])) ++at;
    const std::string from = Narrow(text, nameStart, at);
    skip();
    if (at + 1 < text.size() && text[at] == U'-' && text[at + 1] == U'>')
      at += 2;
    else if (at < text.size() && text[at] == U'\u2192')
      ++at;
    else
      return fault("nach " + from + " fehlt „->“.");
    if (grammar.start.empty()) grammar.start = from;
    // The alternatives.
    while (true) {
      skip();
      std::string word, to;
      bool any = false, nothing = false;
      while (at < text.size() && text[at] != U'|') {
        const char32_t c = text[at];
        if (c == U' ' || c == U'\t' || c == kEmptyWord) {
          any = any || c == kEmptyWord;
          ++at;
          continue;
        }
        if (nothing) return fault("nach „∅“ steht noch etwas.");
        if (!to.empty()) return fault("nach dem Nichtterminal " + to + " steht noch etwas.");
        any = true;
        if (c == kNoWord) {  // no word: an alternative that adds nothing
          nothing = true;
          ++at;
          continue;
        }
        if (Capital(c)) {
          const std::size_t begin = at++;
          while (at < text.size() && NameTail(text[at])) ++at;
          to = Narrow(text, begin, at);
          continue;
        }
        std::size_t symbolAt = at;
        if (c == U'\\' && at + 1 < text.size()) symbolAt = ++at;
        char symbol = 0;
        if (!TapeSymbol(text[symbolAt], symbol)) return fault("„" + Utf8Of(text[symbolAt]) + "“ ist kein Bandzeichen.");
        word += symbol;
        ++at;
      }
      if (!any) return fault("eine Alternative ist leer (das leere Wort ist „ε“).");
      if (!nothing) grammar.rules.push_back({from, word, to});
      if (at >= text.size()) break;
      ++at;  // '|'
    }
  }
  if (grammar.start.empty()) {
    error = "Fehler in der Grammatik: sie hat keine Regel.";
    return false;
  }
  return true;
}

std::string GrammarText(const Grammar& grammar) {
  std::vector<std::string> order{grammar.start};
  for (const Grammar::Rule& rule : grammar.rules)
    if (std::find(order.begin(), order.end(), rule.from) == order.end()) order.push_back(rule.from);
  std::string text;
  for (const std::string& name : order) {
    std::string alternatives;
    for (const Grammar::Rule& rule : grammar.rules) {
      if (rule.from != name) continue;
      std::string alternative;
      for (char c : rule.word) {
        if ((c >= 'A' && c <= 'Z') || c == '|' || c == '\\') alternative += '\\';
        alternative += Cp1252ToUtf8(std::string(1, c));
      }
      alternative += rule.to;
      if (alternative.empty()) AppendUtf8(alternative, kEmptyWord);
      alternatives += (alternatives.empty() ? "" : " | ") + alternative;
    }
    if (alternatives.empty()) AppendUtf8(alternatives, kNoWord);
    text += name + " -> " + alternatives + "\n";
  }
  return text;
}

bool GrammarDfa(const Grammar& grammar, Dfa& dfa, std::string& error) {
  Nfa m;
  std::map<std::string, int> state;
  const auto of = [&](const std::string& name) {
    const auto [it, added] = state.emplace(name, 0);
    if (added) it->second = m.Add();
    return it->second;
  };
  m.start = of(grammar.start);
  const int end = m.Add();
  m.accepting[static_cast<std::size_t>(end)] = true;
  for (const Grammar::Rule& rule : grammar.rules) {
    int at = of(rule.from);
    const int target = rule.to.empty() ? end : of(rule.to);
    if (rule.word.empty()) {
      m.Empty(at, target);
      continue;
    }
    for (std::size_t i = 0; i < rule.word.size(); ++i) {
      const int next = i + 1 == rule.word.size() ? target : m.Add();
      m.Move(at, rule.word[i], next);
      at = next;
    }
  }
  return NfaDfa(m, dfa, error);
}

Grammar DfaGrammar(const Dfa& dfa) {
  const std::size_t n = dfa.Size();
  const auto name = [n](std::size_t i) -> std::string {
    if (i == 0) return "S";
    if (n > 26) return "Q" + Decimal(i);
    const char letter = static_cast<char>('A' + i - 1);
    return std::string(1, letter >= 'S' ? static_cast<char>(letter + 1) : letter);
  };
  Grammar g;
  g.start = "S";
  for (std::size_t p = 0; p < n; ++p) {
    for (std::size_t c = 0; c < dfa.alphabet.size(); ++c)
      if (dfa.next[p][c] >= 0)
        g.rules.push_back({name(p), std::string(1, dfa.alphabet[c]), name(static_cast<std::size_t>(dfa.next[p][c]))});
    if (dfa.accepting[p]) g.rules.push_back({name(p), "", ""});
  }
  return g;
}

}  // namespace automaten
