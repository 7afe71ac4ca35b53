#pragma once
// frmEditOptions, "Edit Options": the editor's palette. The list holds every named cell code in
// ascending order, each entry carrying its code; choosing one (by mouse or keyboard) hands the
// code back through nEditByte and closes the window. The close box leaves nEditByte as it was.
#include <cstdint>

#include "forms/form.h"

class frmEditOptions : public Form {
 public:
  frmEditOptions();
  // Makes the list anew, with nothing selected.
  void Load();

  int32_t nEditByte = 0;  // public variable: the drawing code in and out

  ListBox lstEditByte{"lstEditByte", {240, 240, 2775, 5910}, 0};
};

// The palette window of the run: one object from start to end, like every window of the game,
// so its public variables carry over from one opening to the next.
frmEditOptions& EditOptionsForm();
