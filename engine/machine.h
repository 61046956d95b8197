// The automaton engine: data model, program parser, step rules and the
// state sets of the nondeterministic automaton. Pure C++: program lines,
// tape and stack come in as strings, results go out as strings and tables.
// All text is single-byte Windows-1252; positions count from 1.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace automaten {

// The five machine kinds. The persisted code may hold any 16-bit value;
// a value outside 0 ... 4 selects no kind and every per-kind branch skips it.
enum class MachineKind : std::uint16_t { DEA = 0, Akz = 1, NEA = 2, KA = 3, TM = 4 };

using StateCode = std::uint16_t;
constexpr StateCode kStateA = 0;
constexpr StateCode kUnbestimmt = 65532;  // no state yet
constexpr StateCode kMaxStateNumber = 65532;  // the highest numeral a program may write
constexpr StateCode kStateF = 65533;
constexpr StateCode kStateE = 65534;
constexpr StateCode kUndefiniert = 65535;
// The NEA has twelve states: A = 0, 1 ... 9, E = 10, F = 11.
constexpr StateCode kNeaE = 10;
constexpr StateCode kNeaF = 11;
constexpr int kNeaStates = 12;

constexpr int kTableSize = 101;      // transition lines a program may have
constexpr int kEndStateSlots = 100;  // entries 1 ... 99 used, entry 0 never
constexpr int kMaxEndStateCount = kEndStateSlots - 1;

constexpr char kTmBlank = '*';
constexpr char kStackBottom = '#';
constexpr char kEpsilon = '_';
constexpr char kBeyondTape = '\t';  // the symbol under a head past the tape's end
constexpr int kTmGrowth = 20;       // blanks added when a Turing head reaches an end

// One transition. Fields a kind does not use stay 0 or empty.
struct TabelleRecTyp {
  StateCode State = 0;
  char Input = 0;
  char Output = 0;
  char Move = 0;
  StateCode Next = 0;
  char StackChar = 0;
  std::string StackOp;
  std::string Line;  // prepared program line: comment off, trimmed, one blank after
  std::int32_t LineNo = 0;
};

// The transition table. A parse fills at most kTableSize entries; the epsilon
// removal of an NEA may need more, so the table is a container.
using TabelleArrTyp = std::vector<TabelleRecTyp>;

// Membership bytes (1 = member) for the NEA states A, 1 ... 9, E, F.
using TStateSet = std::array<std::uint8_t, kNeaStates>;

// Colours of the display labels.
enum class TextColour { WindowText, Red, Green };

// Parse fault codes; their texts come from ErrorText.
enum ErrorCode : int {
  kErrFormat = 1,
  kErrState = 2,
  kErrHeadMove = 3,
  kErrSymbol = 4,
  kErrArrow = 5,
  kErrNeaState = 6,
  kErrTooManyTransitions = 7,
  kErrTooManyEndStates = 8,
};

// One reported fault: the code and the 1-based number of the transition
// being read when it was found.
struct ParseFault {
  int code = 0;
  int transition = 0;
  bool operator==(const ParseFault& o) const { return code == o.code && transition == o.transition; }
};

// The engine's fields, shared by the parser and the step rules. The run
// control owns one and keeps the window's fields (tape width, ready flag ...).
struct Machine {
  MachineKind FMode = MachineKind::DEA;

  // Results of the last parse.
  TabelleArrTyp FTable = TabelleArrTyp(kTableSize);
  int FTransitionCount = 0;
  std::array<StateCode, kEndStateSlots> FEndStates{};
  int FEndStateCount = 1;
  std::string FAlphabet;
  bool FHasEpsilon = false;
  bool FError = false;
  std::vector<ParseFault> FFaults;  // every fault of the last parse, in order
  int FFaultLine = -1;              // index of the faulty program line, or -1

  // The configuration; the tape and the second field are the view's texts.
  StateCode FState = kUnbestimmt;
  std::uint32_t FHead = 1;
  std::uint32_t FStepCount = 0;
  int FNextTransition = -1;
  TStateSet FCurrentSet{};
  TStateSet FNextSet{};
};

// ---- Strings ---------------------------------------------------------------

std::string UpperCase(std::string s);  // only a ... z change
std::string Trim(const std::string& s);  // drops codes 0 ... 32 at both ends
std::string PrepareLine(const std::string& line);
// Lines end at CR LF, a lone CR or a lone LF; a break at the very end starts
// no further line.
std::vector<std::string> SplitLines(const std::string& text);

// ---- Parser ------------------------------------------------------------------

// Parses the program lines for m.FMode into the table, end-state list and
// alphabet; for an NEA with epsilon transitions also removes them. Faults are
// collected in m.FFaults, m.FError is set and m.FFaultLine names the line.
void ParseProgram(Machine& m, const std::vector<std::string>& lines);

std::string NextToken(Machine& m, std::string& rest);
StateCode ReadState(Machine& m, std::string& rest);
char ReadSymbol(Machine& m, std::string& rest);
void ReadArrow(Machine& m, std::string& rest);
char ReadHeadMove(Machine& m, std::string& rest);
void ReadStackOp(Machine& m, std::string& rest, std::string& op);
void ReadEndStates(Machine& m, std::string line);
bool IsEndState(const Machine& m, StateCode s);
void ReportError(Machine& m, int code);

std::string ErrorText(int code);
// "Fehler: <text> in Befehl <n>"
std::string FaultMessage(const ParseFault& fault);
// Start and length of line i in the program text, line breaks counting two.
std::pair<int, int> LineSelection(const std::vector<std::string>& lines, int i);

// ---- Step rules --------------------------------------------------------------

char SymbolUnderHead(const std::string& tape, std::uint32_t head);
int FindTransition(const Machine& m, const std::string& tape, const std::string& second);

// What a step did, so the display can follow it.
struct StepResult {
  int transition = -1;  // index of the applied transition, or -1
  bool moved = false;   // the head moved (and the step was counted)
  bool wroteOutput = false;
};

// One step of the current kind on the tape and the second field (DEA output
// or KA stack): find, act, change state. No display refresh.
StepResult ApplyStep(Machine& m, std::string& tape, std::string& second);

void HeadRight(Machine& m, std::string& tape);
void HeadLeft(Machine& m, std::string& tape);
void WriteTape(const Machine& m, std::string& tape, char symbol);
void WriteOutput(const Machine& m, std::string& output, char symbol);
void StackPush(std::string& stack, char symbol);
void StackPop(std::string& stack);
// The top of the stack; false for an empty stack text, which has no top.
bool StackTop(const std::string& stack, char& top);
std::string FunctionValue(const Machine& m, const std::string& tape);
bool AtEnd(const Machine& m, const std::string& tape);

// The marker line under the tape: width + 10 blanks with '^' under the head,
// left out when the head's column is outside the line.
std::string HeadMarker(int tapeWidth, std::uint32_t head, int firstVisible);

struct Verdict {
  bool halted = false;
  bool ok = false;
  std::string text;
  TextColour colour = TextColour::WindowText;
};
// Whether the machine has halted, and the verdict text and colour if so.
Verdict CheckHalt(const Machine& m, const std::string& tape, const std::string& second);

// ---- NEA state sets ----------------------------------------------------------

void ResetSet(Machine& m);
bool SetHasTransition(const Machine& m, char symbol);
void SetStep(Machine& m, const std::string& tape);
bool SetAccepts(const Machine& m);
std::string SetToText(const TStateSet& set);
std::string SetTransitionText(Machine& m, const std::string& tape);
bool SameSet(const TStateSet& a, const TStateSet& b);
void EpsilonClosure(const Machine& m, StateCode state, TStateSet& set);
void RemoveEpsilon(Machine& m);

}  // namespace automaten
