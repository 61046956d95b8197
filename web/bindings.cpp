// The page's entry points, bound with embind; web/app.js calls them.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <iterator>

#include "control/help.h"
#include "control/kinds.h"
#include "diagram/layout.h"
#include "io/programfile.h"
#include "web/webapp.h"

namespace automaten {
namespace {

// A Uint8Array's bytes.
std::string BytesOf(const emscripten::val& array) {
  const auto n = array["length"].as<unsigned>();
  std::string bytes(n, '\0');
  emscripten::val view(emscripten::typed_memory_view(n, reinterpret_cast<unsigned char*>(bytes.data())));
  view.call<void>("set", array);
  return bytes;
}

// A copy of the bytes as a Uint8Array.
emscripten::val ArrayOf(const std::string& bytes) {
  const emscripten::val view(
      emscripten::typed_memory_view(bytes.size(), reinterpret_cast<const unsigned char*>(bytes.data())));
  return view.call<emscripten::val>("slice");
}

void Open(WebApp& app, int answer, const std::string& saveName, const std::string& name, const emscripten::val& bytes) {
  app.Open(answer, saveName, name, BytesOf(bytes));
}

emscripten::val DownloadBytes(const WebApp& app) { return ArrayOf(app.DownloadBytes()); }

emscripten::val TakeFocus(WebApp& app) {
  const WebView::Focus focus = app.TakeFocus();
  emscripten::val request = emscripten::val::object();
  request.set("target", focus.target);
  request.set("start", focus.start);
  request.set("length", focus.length);
  return request;
}

emscripten::val TakeDialogs(WebApp& app) {
  emscripten::val list = emscripten::val::array();
  for (const std::string& text : app.TakeDialogs()) list.call<void>("push", text);
  return list;
}

// The other program's bytes as the page read them (a Uint8Array).
std::string CompareWithFile(WebApp& app, const std::string& name, const emscripten::val& bytes) {
  return app.CompareWithFile(name, BytesOf(bytes));
}

// The Tests pane's rows and a case's result, as plain objects.
emscripten::val TestsStart(WebApp& app) {
  emscripten::val rows = emscripten::val::array();
  for (const WebApp::TestRow& r : app.TestsStart()) {
    emscripten::val row = emscripten::val::object();
    row.set("line", r.line);
    row.set("word", r.word);
    row.set("expected", r.expected);
    row.set("fault", r.fault);
    rows.call<void>("push", row);
  }
  return rows;
}

emscripten::val TestRun(WebApp& app, int index) {
  const CaseResult result = app.TestRun(index);
  emscripten::val r = emscripten::val::object();
  r.set("passed", result.passed);
  r.set("got", result.got);
  return r;
}

// The kinds' names, titles, menu texts and hints for the page's buttons and menu.
// {nodes: [n, ...], lines: [[edge, line], ...], verdict: 0 none, 1 accepted, 2 not accepted}
emscripten::val DiagramMarked(const WebApp& app) {
  const DiagramMark mark = app.DiagramMarked();
  emscripten::val nodes = emscripten::val::array();
  for (std::size_t n : mark.nodes) nodes.call<void>("push", static_cast<double>(n));
  emscripten::val lines = emscripten::val::array();
  for (const auto& [edge, line] : mark.lines) {
    emscripten::val pair = emscripten::val::array();
    pair.call<void>("push", static_cast<double>(edge));
    pair.call<void>("push", static_cast<double>(line));
    lines.call<void>("push", pair);
  }
  emscripten::val m = emscripten::val::object();
  m.set("nodes", nodes);
  m.set("lines", lines);
  m.set("verdict", static_cast<int>(mark.verdict));
  return m;
}

// The diagram asked for with its states on a circle: what the page draws as
// Graphviz's SVG would have it, y growing downwards.
emscripten::val DiagramCircle(const WebApp& app) {
  const Diagram& d = app.DiagramAsked();
  const DiagramLayout layout = CircleLayout(d);
  const auto point = [&layout](Point p) {
    emscripten::val xy = emscripten::val::array();
    xy.call<void>("push", p.x);
    xy.call<void>("push", layout.height - p.y);
    return xy;
  };
  emscripten::val nodes = emscripten::val::array();
  for (std::size_t i = 0; i < d.nodes.size(); ++i) {
    emscripten::val n = emscripten::val::object();
    n.set("name", d.nodes[i].name);
    n.set("end", d.nodes[i].end);
    n.set("centre", point(layout.nodes[i].centre));
    n.set("size", layout.nodes[i].width);
    nodes.call<void>("push", n);
  }
  emscripten::val edges = emscripten::val::array();
  for (std::size_t i = 0; i < d.edges.size(); ++i) {
    emscripten::val e = emscripten::val::object();
    emscripten::val spline = emscripten::val::array();
    for (Point p : layout.edges[i].spline) spline.call<void>("push", point(p));
    emscripten::val lines = emscripten::val::array();
    for (const std::string& line : d.edges[i].lines) lines.call<void>("push", line);
    e.set("spline", spline);
    e.set("head", point(layout.edges[i].arrowHead));
    e.set("label", point(layout.edges[i].label));
    e.set("lines", lines);
    edges.call<void>("push", e);
  }
  emscripten::val c = emscripten::val::object();
  c.set("width", layout.width);
  c.set("height", layout.height);
  c.set("start", point(layout.start));
  c.set("nodes", nodes);
  c.set("edges", edges);
  return c;
}

// ---- Editing in the diagram ----

void DiagramCentres(WebApp& app, const emscripten::val& xy) {  // [x0, y0, x1, y1, ...]
  const std::vector<double> numbers = emscripten::vecFromJSArray<double>(xy);
  std::vector<DiagramPoint> centres;
  for (std::size_t i = 0; i + 1 < numbers.size(); i += 2) centres.push_back({numbers[i], numbers[i + 1]});
  app.DiagramCentres(std::move(centres));
}

// A gesture by its number (Constants().gestures) with its numbers (and the
// label's text), as DiagramGestures has them. The answer: {said, edited,
// openLabel, labelText, placeholder, labelAt: [x, y] or null, labelFault,
// node, line: [edge, line]}.
// Chosen only answers what is chosen (after a new drawing).
enum class Gesture {
  Restart,
  Chosen,
  Node,
  Line,
  Key,
  DoubleClick,
  Dragged,
  Connected,
  ConnectFrom,
  EditLine,
  End,
  Add,
  Remove,
  Commit,
  Close
};
const char* const kGestureNames[] = {"restart",     "chosen",  "node",      "line",        "key",
                                     "doubleClick", "dragged", "connected", "connectFrom", "editLine",
                                     "end",         "add",     "remove",    "commit",      "close"};

emscripten::val DiagramGesture(WebApp& app, int what, const emscripten::val& args, const std::string& text) {
  const std::vector<double> a = emscripten::vecFromJSArray<double>(args);
  const auto at = [&a](std::size_t i) { return i < a.size() ? a[i] : -1.0; };
  const auto index = [&at](std::size_t i) { return static_cast<std::size_t>(std::max(0.0, at(i))); };
  const auto point = [&at](std::size_t i) { return DiagramPoint{at(i), at(i + 1)}; };
  const auto line = [&at](std::size_t i) {
    return DiagramLineRef{static_cast<long long>(at(i)), static_cast<long long>(at(i + 1))};
  };
  DiagramGestures& g = app.Gestures();
  GestureAnswer answer;
  switch (static_cast<Gesture>(what)) {
    case Gesture::Restart: g.Restart(); break;
    case Gesture::Chosen: break;
    case Gesture::Node: answer = g.ChooseNode(static_cast<long long>(at(0))); break;
    case Gesture::Line: answer = g.ChooseLine(line(0)); break;
    case Gesture::Key: answer = g.Press(static_cast<GestureKey>(index(0))); break;
    case Gesture::DoubleClick: answer = g.DoubleClick(point(0), static_cast<long long>(at(2)), line(3)); break;
    case Gesture::Dragged: answer = g.Dragged(index(0), point(1)); break;
    case Gesture::Connected: answer = g.Connected(index(0), index(1)); break;
    case Gesture::ConnectFrom: answer = g.ConnectFrom(index(0)); break;
    case Gesture::EditLine: answer = g.EditLine(line(0), point(2)); break;
    case Gesture::End: answer = g.ToggleEnd(index(0)); break;
    case Gesture::Add: answer = g.AddStateAt(point(0)); break;
    case Gesture::Remove: answer = g.Remove(); break;
    case Gesture::Commit: answer = g.CommitLabel(text); break;
    case Gesture::Close: g.CloseLabel(); break;
  }
  answer = app.Kept(std::move(answer));
  emscripten::val r = emscripten::val::object();
  r.set("said", answer.said);
  r.set("edited", answer.edit.has_value());
  r.set("openLabel", answer.openLabel);
  r.set("labelText", answer.labelText);
  r.set("placeholder", g.LabelPlaceholder());
  if (answer.labelAt) {
    emscripten::val xy = emscripten::val::array();
    xy.call<void>("push", answer.labelAt->x);
    xy.call<void>("push", answer.labelAt->y);
    r.set("labelAt", xy);
  } else {
    r.set("labelAt", emscripten::val::null());
  }
  r.set("labelFault", answer.labelFault);
  r.set("node", static_cast<double>(g.ChosenNode()));
  emscripten::val chosen = emscripten::val::array();
  chosen.call<void>("push", static_cast<double>(g.ChosenLine().first));
  chosen.call<void>("push", static_cast<double>(g.ChosenLine().second));
  r.set("line", chosen);
  return r;
}

// Names and their numbers, for the page.
emscripten::val Numbered(const char* const* names, std::size_t count) {
  emscripten::val numbers = emscripten::val::object();
  for (std::size_t i = 0; i < count; ++i) numbers.set(names[i], static_cast<int>(i));
  return numbers;
}

const char* const kGestureKeyNames[] = {"NextState", "PreviousState", "NextLine", "PreviousLine", "NewState",
                                        "Connect",   "EndState",      "Edit",     "Remove",       "Cancel",
                                        "MoveLeft",  "MoveRight",     "MoveUp",   "MoveDown"};
static_assert(std::size(kGestureKeyNames) == static_cast<std::size_t>(GestureKey::MoveDown) + 1);
static_assert(std::size(kGestureNames) == static_cast<std::size_t>(Gesture::Close) + 1);

emscripten::val Kinds() {
  emscripten::val list = emscripten::val::array();
  for (int k = 0; k < kKindCount; ++k) {
    const KindInfo& info = InfoOf(static_cast<MachineKind>(k));
    emscripten::val row = emscripten::val::object();
    row.set("name", std::string(info.name));
    row.set("menuText", std::string(info.menuText));
    row.set("hint", std::string(info.hint));
    list.call<void>("push", row);
  }
  return list;
}

emscripten::val Names(const char* const* names, int count) {
  emscripten::val list = emscripten::val::array();
  for (int i = 0; i < count; ++i) list.call<void>("push", std::string(names[i]));
  return list;
}

// The enums and limits the page shares with the module, so that it copies none.
emscripten::val Constants() {
  emscripten::val c = emscripten::val::object();
  c.set("ja", static_cast<int>(Answer::Ja));
  c.set("nein", static_cast<int>(Answer::Nein));
  c.set("abbrechen", static_cast<int>(Answer::Abbrechen));
  c.set("fields", Names(kFieldNames, kFieldCount));
  c.set("labels", Names(kLabelNames, kLabelCount));
  c.set("colours", Names(kColourNames, static_cast<int>(std::size(kColourNames))));
  c.set("panels", kPanelCount);
  c.set("maxProgramBytes", static_cast<double>(kMaxProgramBytes));
  c.set("pasteTooLarge", std::string(kPasteTooLarge));
  c.set("storeFailed", std::string(kStoreFailed));
  c.set("linkBroken", std::string(kLinkBroken));
  c.set("testsRunning", std::string(kTestsRunning));
  c.set("noTestCases", std::string(kNoTestCases));
  c.set("testsStale", std::string(kTestsStale));
  c.set("layoutBudgetMs", kLayoutBudgetMs);
  c.set("layoutSlow", std::string(kLayoutSlowNote));
  c.set("layoutFailed", LayoutFailedNote(""));
  c.set("editHint", std::string(DiagramGestures::kModeHint));
  c.set("keyStep", DiagramGestures::kKeyStep);
  c.set("gestures", Numbered(kGestureNames, std::size(kGestureNames)));
  c.set("gestureKeys", Numbered(kGestureKeyNames, std::size(kGestureKeyNames)));
  return c;
}

}  // namespace
}  // namespace automaten

EMSCRIPTEN_BINDINGS(automaten) {
  using automaten::WebApp;
  emscripten::class_<WebApp>("WebApp")
      .constructor<>()
      .function("reset", &WebApp::Reset)
      .function("singleStep", &WebApp::SingleStep)
      .function("stepBack", &WebApp::StepBack)
      .function("startOrStop", &WebApp::StartOrStop)
      .function("stop", &WebApp::Stop)
      .function("ticks", &WebApp::Ticks)
      .function("clearTape", &WebApp::ClearTape)
      .function("restoreLastTape", &WebApp::RestoreLastTape)
      .function("setSlider", &WebApp::SetSlider)
      .function("tapeFieldResized", &WebApp::TapeFieldResized)
      .function("setLoopCheck", &WebApp::SetLoopCheck)
      .function("loopCheck", &WebApp::LoopCheck)
      .function("fieldEdited", &WebApp::FieldEdited)
      .function("fieldEditedAt", &WebApp::FieldEditedAt)
      .function("fieldLength", &WebApp::FieldLength)
      .function("fieldSlice", &WebApp::FieldSlice)
      .function("programEdited", &WebApp::ProgramEdited)
      .function("programLinesEdited", &WebApp::ProgramLinesEdited)
      .function("changeQuestion", &WebApp::ChangeQuestion)
      .function("changeNeedsName", &WebApp::ChangeNeedsName)
      .function("changeGoesOn", &WebApp::ChangeGoesOn)
      .function("selectKind", &WebApp::SelectKind)
      .function("newProgram", &WebApp::New)
      .function("open", &automaten::Open)
      .function("save", &WebApp::Save)
      .function("saveAs", &WebApp::SaveAs)
      .function("linkCopied", &WebApp::LinkCopied)
      .function("toolAccepts", &WebApp::ToolAccepts)
      .function("convert", &WebApp::Convert)
      .function("compareReady", &WebApp::CompareReady)
      .function("compareWithFile", &automaten::CompareWithFile)
      .function("comparisonDiffers", &WebApp::ComparisonDiffers)
      .function("comparisonWordToTape", &WebApp::ComparisonWordToTape)
      .function("openAcceptor", &WebApp::OpenAcceptor)
      .function("testsStart", &automaten::TestsStart)
      .function("testRun", &automaten::TestRun)
      .function("testChosen", &WebApp::TestChosen)
      .class_function("testSummary", &WebApp::TestSummary)
      .function("openShared", &WebApp::OpenShared)
      .function("fileName", &WebApp::FileName)
      .function("hasDownload", &WebApp::HasDownload)
      .function("downloadName", &WebApp::DownloadName)
      .function("downloadBytes", &automaten::DownloadBytes)
      .function("downloadTaken", &WebApp::DownloadTaken)
      .function("diagramOpened", &WebApp::DiagramOpened)
      .function("diagramTextChanged", &WebApp::DiagramTextChanged)
      .function("diagramMachineShown", &WebApp::DiagramMachineShown)
      .function("diagramDot", &WebApp::DiagramDot)
      .function("diagramNote", &WebApp::DiagramNote)
      .function("diagramDrawn", &WebApp::DiagramDrawn)
      .function("diagramMarked", &automaten::DiagramMarked)
      .function("diagramCircle", &automaten::DiagramCircle)
      .function("diagramCentres", &automaten::DiagramCentres)
      .function("diagramGesture", &automaten::DiagramGesture)
      .function("diagramEditedText", &WebApp::DiagramEditedText)
      .function("diagramApplyEdit", &WebApp::DiagramApplyEdit)
      .function("restore", &WebApp::Restore)
      .function("settingsText", &WebApp::SettingsText)
      .function("tapeIsLastTape", &WebApp::TapeIsLastTape)
      .function("tapeToStore", &WebApp::TapeToStore)
      .function("labelText", &WebApp::LabelText)
      .function("labelColour", &WebApp::LabelColour)
      .function("panel", &WebApp::Panel)
      .function("fieldText", &WebApp::FieldText)
      .function("fieldRevision", &WebApp::FieldRevision)
      .function("markedCell", &WebApp::MarkedCell)
      .function("secondFieldShown", &WebApp::SecondFieldShown)
      .function("programText", &WebApp::ProgramText)
      .function("programRevision", &WebApp::ProgramRevision)
      .function("programLineCount", &WebApp::ProgramLineCount)
      .function("programLines", &WebApp::ProgramLines)
      .function("programFileBytes", &WebApp::ProgramFileBytes)
      .function("kind", &WebApp::Kind)
      .function("running", &WebApp::Running)
      .function("timerInterval", &WebApp::TimerInterval)
      .function("sliderPosition", &WebApp::SliderPosition)
      .function("caption", &WebApp::Caption)
      .function("programChanged", &WebApp::ProgramChanged)
      .function("takeDialogs", &automaten::TakeDialogs)
      .function("takeFocus", &automaten::TakeFocus)
      .class_function("fileBytes", &WebApp::FileBytes);
  emscripten::function("helpText", &automaten::HelpText);
  emscripten::function("aboutText", &automaten::AboutText);
  emscripten::function("kinds", &automaten::Kinds);
  emscripten::function("constants", &automaten::Constants);
}
