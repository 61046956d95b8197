// The run as the simplest code would do it, kept as the model the
// simulation is checked against: copied strings, every lookup a scan over
// the whole table, every text formatted anew after each step.
#pragma once

#include <string>

#include "engine/encoding.h"
#include "engine/types.h"

namespace automaten::testing {

struct ModelDisplay {
  std::string state, transition, steps, verdict, tape, second;
  bool operator==(const ModelDisplay& o) const {
    return state == o.state && transition == o.transition && steps == o.steps && verdict == o.verdict &&
           tape == o.tape && second == o.second;
  }
};

class Model {
 public:
  Model(const Program& program, std::string tape, std::uint32_t head, std::string second)
      : p_(program), tape_(std::move(tape)), second_(std::move(second)), head_(head) {}

  // Tape and second field as the user left them before the next step.
  std::string& Tape() { return tape_; }
  std::string& Second() { return second_; }
  bool Halted() const { return Find() < 0 || AtEnd(); }
  bool Stops() const { return (p_.kind != MachineKind::NEA && state_ == kStateF) || Halted(); }

  void Step() {
    const int i = Find();
    if (i < 0) return;
    const Transition& t = p_.transitions[static_cast<std::size_t>(i)];
    const char symbol = Symbol();
    switch (p_.kind) {
      case MachineKind::DEA:
        if (second_.size() < head_) second_.resize(head_, ' ');
        second_[head_ - 1] = t.output;
        Right();
        break;
      case MachineKind::Akz: Right(); break;
      case MachineKind::NEA: {
        unsigned next = 0;
        for (int s = 0; s < kNeaStates; ++s)
          for (const Transition& u : p_.transitions)
            if ((set_ >> s & 1u) && u.from == s && u.input == symbol) {
              const int to = s == kNeaF ? kNeaF : u.next;
              if (to < kNeaStates) next |= 1u << to;
            }
        set_ = next;
        Right();
        break;
      }
      case MachineKind::KA:
        Right();
        if (t.stackOp == StackOp::Push) second_ += t.output;
        if (t.stackOp == StackOp::Pop && !second_.empty()) second_.pop_back();
        break;
      case MachineKind::TM:
        tape_[head_ - 1] = t.output;
        if (t.move == 'R') Right();
        if (t.move == 'L') {
          ++steps_;
          if (head_ <= 1) {
            tape_.insert(0, 20, '*');
            head_ = 20;
          } else if (--head_ == 1) {
            tape_.insert(0, 20, '*');
            head_ = 21;
          }
        }
        break;
    }
    state_ = t.next;
  }

  ModelDisplay Display() const {
    ModelDisplay d;
    d.tape = tape_;
    d.second = second_;
    d.steps = "Schritte: " + std::to_string(steps_);
    std::string s;
    if (p_.kind == MachineKind::NEA) {
      s = SetText(set_);
    } else if (state_ == kStateA) {
      s = "Anfangszustand";
    } else if (state_ == kStateF) {
      s = "Fehlzustand";
    } else if (state_ == kStateE) {
      s = "Endzustand";
    } else {
      s = std::to_string(state_);
    }
    d.state = "Zustand : " + s;
    const int i = Find();
    d.transition = MachineText("Übergang: ");
    if (i < 0) {
      if (!AtEnd()) d.transition += "undefiniert";
    } else if (p_.kind == MachineKind::NEA) {
      Model next = *this;
      next.Step();
      d.transition += SetText(set_) + " " + Symbol() + " -> " + SetText(next.set_);
    } else {
      d.transition += p_.transitions[static_cast<std::size_t>(i)].line;
    }
    if (Halted()) d.verdict = Verdict();
    return d;
  }

 private:
  char Symbol() const { return head_ >= 1 && head_ <= tape_.size() ? tape_[head_ - 1] : '\t'; }
  bool IsEnd(StateCode s) const {
    for (StateCode e : p_.endStates)
      if (e == s) return true;
    return false;
  }
  bool AtEnd() const { return p_.kind == MachineKind::TM ? IsEnd(state_) : tape_.size() + 1 == head_; }
  int Find() const {
    const char symbol = Symbol();
    if (p_.kind == MachineKind::NEA && !p_.transitions.empty())
      for (const Transition& t : p_.transitions)
        if (t.input == symbol && t.from < kNeaStates && (set_ >> t.from & 1u)) return 0;
    for (std::size_t i = 0; i < p_.transitions.size(); ++i) {
      const Transition& t = p_.transitions[i];
      if (t.from != state_ || t.input != symbol) continue;
      if (p_.kind == MachineKind::KA && (second_.empty() || second_.back() != t.stackTop)) continue;
      return static_cast<int>(i);
    }
    return -1;
  }
  void Right() {
    ++head_;
    ++steps_;
    if (p_.kind == MachineKind::TM && tape_.size() == head_) tape_.append(20, '*');
  }
  static std::string SetText(unsigned set) {
    static const char* names[] = {"A", "1", "2", "3", "4", "5", "6", "7", "8", "9", "E", "F"};
    std::string t;
    for (int s = 0; s < kNeaStates; ++s)
      if (set >> s & 1u) t += (t.empty() ? "" : ",") + std::string(names[s]);
    return "{" + t + "}";
  }
  std::string Verdict() const {
    const bool atEnd = AtEnd();
    bool ok = false;
    switch (p_.kind) {
      case MachineKind::DEA:
      case MachineKind::Akz: ok = atEnd && IsEnd(state_); break;
      case MachineKind::NEA: {
        for (int s = 0; s <= 9; ++s) ok = ok || ((set_ >> s & 1u) && IsEnd(static_cast<StateCode>(s)));
        ok = atEnd && (ok || (set_ >> kNeaE & 1u));
        break;
      }
      case MachineKind::KA:
        ok = atEnd && !second_.empty() && second_.back() == '#' && (p_.endStates.size() == 1 || IsEnd(state_));
        break;
      case MachineKind::TM: ok = atEnd; break;
    }
    if (p_.kind != MachineKind::TM) return ok ? "Das Wort wurde akzeptiert." : "Das Wort wurde nicht akzeptiert.";
    if (!ok) return "Der Funktionswert ist undefiniert.";
    std::size_t ones = 0;
    while (head_ + ones <= tape_.size() && tape_[head_ - 1 + ones] == '1') ++ones;
    return "Der Funktionswert ist: " + std::to_string(ones);
  }

  const Program& p_;
  std::string tape_, second_;
  std::uint32_t head_;
  StateCode state_ = kStateA;
  std::uint32_t steps_ = 0;
  unsigned set_ = 1;
};

}  // namespace automaten::testing
