// The engine's values: machine kinds, state codes, a parsed program and the
// configuration a step works on. Machine text is single-byte Windows-1252;
// tape positions count from 1.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace automaten {

// The five machine kinds. A stored kind code may hold any 16-bit value; one
// outside the five selects no kind, and every per-kind rule skips it.
enum class MachineKind : std::uint16_t { DEA = 0, Akz = 1, NEA = 2, KA = 3, TM = 4 };
constexpr int kKindCount = 5;
constexpr MachineKind kKinds[kKindCount] = {MachineKind::DEA, MachineKind::Akz, MachineKind::NEA, MachineKind::KA,
                                            MachineKind::TM};
inline bool IsKnownKind(MachineKind kind) { return static_cast<std::uint16_t>(kind) < kKindCount; }

using StateCode = std::uint16_t;
constexpr StateCode kStateA = 0;
constexpr StateCode kMaxStateNumber = 65532;  // the highest numeral a program may write
constexpr StateCode kStateF = 65533;
constexpr StateCode kStateE = 65534;
// The NEA has twelve states: A = 0, 1 ... 9, E = 10, F = 11.
constexpr StateCode kNeaE = 10;
constexpr StateCode kNeaF = 11;
constexpr int kNeaStates = 12;

constexpr char kTmBlank = '*';
constexpr char kStackBottom = '#';
constexpr char kEpsilon = '_';
// Program lines as the parser reads them (ProgramLineToMachine): the Greek
// epsilon, which an NEA reads like '_', and any character Windows-1252 lacks,
// which no program may use. Two bytes the code page leaves undefined.
constexpr char kEpsilonSign = '\x8F';
constexpr char kForeignSymbol = '\x81';
constexpr char kBeyondTape = '\t';     // the symbol under a head past the tape's end
constexpr int kTmGrowth = 20;          // blanks added when a Turing head reaches an end
constexpr int kDefaultTapeWidth = 60;  // visible tape cells before a front end lays its field out

enum class StackOp : std::uint8_t { None, Push, Pop, Nop };

// One transition line. Fields a kind does not use stay 0; the accessors
// say which field counts for which kind.
struct Transition {
  StateCode from = 0;
  char input = 0;  // the symbol read ('_' an NEA's epsilon)
  char output = 0;
  char move = 0;
  StateCode next = 0;
  char stackTop = 0;
  StackOp stackOp = StackOp::None;
  std::string line;  // the program line: comment off, trimmed, one blank after

  char OutputSymbol() const { return output; }   // DEA: the symbol written to the output tape
  char Written() const { return output; }        // TM: the symbol written under the head
  char HeadMove() const { return move; }         // TM: 'K', 'L' or 'R'
  char Pushed() const { return output; }         // KA: the symbol a push puts on the stack
  char RequiredTop() const { return stackTop; }  // KA: the top of stack the line needs
  StackOp Operation() const { return stackOp; }  // KA: push, pop or nop
};

// A set of NEA states, one bit per state A, 1 ... 9, E, F.
struct StateSet {
  std::uint16_t bits = 0;
  bool Has(int state) const { return state >= 0 && state < kNeaStates && (bits >> state & 1u) != 0; }
  void Add(int state) {
    if (state >= 0 && state < kNeaStates) bits = static_cast<std::uint16_t>(bits | 1u << state);
  }
  bool operator==(const StateSet& o) const { return bits == o.bits; }
  bool operator!=(const StateSet& o) const { return bits != o.bits; }
};

enum class FaultCode : std::uint8_t { Format = 1, State, HeadMove, Symbol, Arrow, NeaState };

// One fault of a parse: what, and the 1-based number of the transition line
// being read when it was found.
struct ParseFault {
  FaultCode code = FaultCode::Format;
  int transition = 0;
  bool operator==(const ParseFault& o) const { return code == o.code && transition == o.transition; }
};

// The first transition for each state and symbol, found in constant time:
// a row of 256 symbols per state when the program's states are small numbers
// (and A, E, F), else an open-addressing table from (state, symbol) to the
// first matching line; and for each line the next line with the same state
// and symbol (the KA tries them in order for its stack top).
class TransitionIndex {
 public:
  void Build(const std::vector<Transition>& table);
  int First(StateCode state, char symbol) const {
    if (!rows_.empty()) {
      const std::size_t row = Row(state);
      return row < rowCount_ ? rows_[row * 256 + static_cast<unsigned char>(symbol)] : -1;
    }
    if (slots_.empty()) return -1;
    const std::uint32_t key = Key(state, symbol);
    for (std::size_t i = Hash(key);; i = (i + 1) & mask_) {
      if (slots_[i].line < 0) return -1;
      if (slots_[i].key == key) return slots_[i].line;
    }
  }
  int Next(int line) const { return next_[static_cast<std::size_t>(line)]; }

 private:
  struct Slot {
    std::uint32_t key = 0;
    std::int32_t line = -1;
  };
  static std::uint32_t Key(StateCode state, char symbol) {
    return static_cast<std::uint32_t>(state) << 8 | static_cast<unsigned char>(symbol);
  }
  std::size_t Hash(std::uint32_t key) const { return (key * 0x9E3779B1u >> 7) & mask_; }
  // States 0 ... 253 have a row of their own, F and E the last two.
  static std::size_t Row(StateCode state) {
    return state < 254 ? state : state == kStateF ? 254 : state == kStateE ? 255 : 256;
  }

  std::vector<std::int32_t> rows_;
  std::size_t rowCount_ = 0;
  std::vector<Slot> slots_;
  std::size_t mask_ = 0;
  std::vector<std::int32_t> next_;
};

// What a parse of the program text gives. Built once, then only read.
struct Program {
  MachineKind kind = MachineKind::DEA;
  std::vector<Transition> transitions;        // in the order of the text (after epsilon removal for the NEA)
  std::vector<Transition> written;            // the NEA's lines as written, when epsilon removal changed them
  std::vector<StateCode> endStates{kStateE};  // E first, then every declared state in order
  std::string alphabet;                       // distinct input symbols in order of appearance, '_' excluded
  bool hasEpsilon = false;
  std::vector<ParseFault> faults;  // every fault, in order; the parse stops at the faulty line
  int faultLine = -1;              // index of the faulty line, or -1

  bool Ok() const { return faults.empty(); }
  // The transitions as the program text has them.
  const std::vector<Transition>& Written() const { return written.empty() ? transitions : written; }
  bool IsEndState(StateCode s) const { return endMark_[s]; }
  // A KA accepts by empty stack alone unless the program declares end states.
  bool DeclaresEndStates() const { return endStates.size() > 1; }
  void AddEndState(StateCode s) {
    endStates.push_back(s);
    endMark_.set(s);
  }

  // The lookups of the step rules; the parser builds them once the table is
  // final, and whoever changes the table afterwards builds them again.
  void BuildIndex();
  const TransitionIndex& Index() const { return index_; }
  // NEA: the states with a move on a symbol, and where one state moves on it.
  StateSet Movers(char symbol) const { return movers_.empty() ? StateSet{} : movers_[Byte(symbol)]; }
  StateSet MovesOf(int state, char symbol) const {
    return movers_.empty() ? StateSet{} : moves_[static_cast<std::size_t>(state) * 256 + Byte(symbol)];
  }

 private:
  static std::size_t Byte(char c) { return static_cast<unsigned char>(c); }

  std::bitset<65536> endMark_ = std::bitset<65536>().set(kStateE);
  TransitionIndex index_;
  std::vector<StateSet> movers_;  // per symbol
  std::vector<StateSet> moves_;   // per NEA state and symbol
};

// A tape of cells, positions from 1. Cells can be added at either end in
// constant time on average: the buffer keeps room in front of its first
// cell. It is grown by realloc, which moves a large buffer's pages instead
// of copying them, so that a long Turing run never copies its tape.
class Tape {
 public:
  Tape() = default;
  Tape(std::string_view text);                                     // NOLINT: a tape is its text
  Tape(const std::string& text) : Tape(std::string_view(text)) {}  // NOLINT
  Tape(const char* text) : Tape(std::string_view(text)) {}         // NOLINT
  Tape(const Tape& o) : Tape(o.View()) {}
  Tape(Tape&& o) noexcept { Swap(o); }
  Tape& operator=(const Tape& o);
  Tape& operator=(Tape&& o) noexcept {
    Tape(std::move(o)).Swap(*this);
    return *this;
  }
  ~Tape();

  std::size_t size() const { return end_ - start_; }
  bool empty() const { return size() == 0; }
  // The cell at a position; kBeyondTape outside the tape.
  char At(std::uint32_t position) const {
    return position >= 1 && position <= size() ? cells_[start_ + position - 1] : kBeyondTape;
  }
  void Set(std::uint32_t position, char c) { cells_[start_ + position - 1] = c; }
  void Append(std::size_t count, char c);
  void Prepend(std::size_t count, char c);
  // Replaces `removed` cells from a 0-based index with others; cells put in
  // front cost a copy of the tape only now and then.
  void Replace(std::size_t index, std::size_t removed, std::string_view inserted);
  std::string_view View() const { return std::string_view(cells_ + start_, size()); }
  std::string Text() const { return std::string(View()); }

  bool operator==(const Tape& o) const { return View() == o.View(); }
  bool operator!=(const Tape& o) const { return !(*this == o); }

 private:
  void Swap(Tape& o) noexcept;
  // Room for `cells` cells behind the buffer's start.
  void Reserve(std::size_t cells);
  // Moves the start `count` cells to the front and returns it.
  std::size_t MakeRoom(std::size_t count);

  char* cells_ = nullptr;  // malloc'ed
  std::size_t capacity_ = 0;
  std::size_t start_ = 0;  // index of position 1 in cells_
  std::size_t end_ = 0;    // index behind the last cell
};

// Everything a step reads and changes: the machine's configuration. The tape
// and the second field (the DEA's output tape or the KA's stack, bottom first)
// are the texts as the step sees them.
struct Configuration {
  StateCode state = kStateA;
  std::uint32_t head = 1;
  std::uint32_t steps = 0;  // head moves so far
  StateSet set;             // the NEA's current set
  Tape tape;
  std::string second;

  bool operator==(const Configuration& o) const {
    return state == o.state && head == o.head && steps == o.steps && set == o.set && tape == o.tape &&
           second == o.second;
  }
  bool operator!=(const Configuration& o) const { return !(*this == o); }
};

inline char SymbolUnderHead(const Configuration& c) { return c.tape.At(c.head); }

// What the next step does: its transition and, for the NEA, the next set.
struct Move {
  int transition = -1;
  StateSet nextSet;
};

// What a step did, so the display and the loop detector can follow it.
struct StepResult {
  int transition = -1;          // index of the applied transition, or -1
  bool moved = false;           // the head moved, and the step was counted
  bool wroteOutput = false;     // the DEA wrote at the head it read from
  bool wroteTape = false;       // the Turing machine changed the cell under its head
  std::uint32_t grewFront = 0;  // blanks put in front of the tape (positions shift by as many)
  std::uint32_t grewBack = 0;   // blanks appended to the tape
  bool secondChanged = false;
};

// What a step changed, to take it back: 12 bytes.
struct StepRecord {
  enum Flags : std::uint8_t {
    kMoved = 1,
    kWroteTape = 2,
    kGrewFront = 4,
    kGrewBack = 8,
    kWroteOutput = 16,
    kPushed = 32,
    kPopped = 64,
    // The DEA wrote beyond an output tape the user had cut short by more than
    // 65,535 cells: no way back past this step.
    kLost = 128,
  };
  std::uint32_t head = 1;  // before the step
  StateCode state = 0;
  std::uint16_t set = 0;  // the NEA's set
  char cell = 0;          // the tape (TM) or output (DEA) cell before, or the symbol popped (KA)
  std::uint8_t flags = 0;
  std::uint16_t grew = 0;  // cells the DEA's output tape gained
};

// Cells of the tape or the second field that changed: `removed` cells from
// a 0-based index replaced by the `inserted` cells that stand there now.
struct CellChange {
  bool second = false;
  std::uint32_t index = 0, removed = 0, inserted = 0;
};
struct CellChanges {
  CellChange list[5];
  int count = 0;
  void Add(bool second, std::size_t index, std::size_t removed, std::size_t inserted) {
    list[count++] = {second, static_cast<std::uint32_t>(index), static_cast<std::uint32_t>(removed),
                     static_cast<std::uint32_t>(inserted)};
  }
  const CellChange* begin() const { return list; }
  const CellChange* end() const { return list + count; }
};

}  // namespace automaten
