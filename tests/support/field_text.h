// The texts of the window's tape fields as a user reads and types them.
#pragma once

#include <QString>

#include "ui/machinetext.h"
#include "ui/tapefield.h"

namespace automaten::testing {

inline QString TextOf(const TapeField* f) { return FromMachine(f->Text()); }
// Replaces the text as a program would, not as typed: the field does not
// report it as an edit.
inline void SetTextOf(TapeField* f, const QString& text) { f->SetText(ToMachine(text)); }

}  // namespace automaten::testing
