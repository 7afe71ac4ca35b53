#include "editor/edit_options_window.h"

#include "data/cell_codes.h"

frmEditOptions::frmEditOptions() : Form("Edit Options", 3270, 6390) {
  Add(lstEditByte);
  lstEditByte.Click = [this] {
    nEditByte = lstEditByte.Items[lstEditByte.ListIndex].ItemData;
    Unload();
  };
}

void frmEditOptions::Load() {
  BeginLoad();
  lstEditByte.Items.clear();
  for (const CellCodeInfo& code : CellCodeTable())
    lstEditByte.Items.push_back({code.Name, code.Code});
  lstEditByte.ListIndex = -1;
}

frmEditOptions& EditOptionsForm() {
  static frmEditOptions frm;
  return frm;
}
