#include "headless/headless.h"

#include "forms/form.h"

namespace headless {

HeadlessHost::HeadlessHost(const char* sTitle) {
  display_.Open(sTitle);
}

void HeadlessHost::OpenWindow(Form& frm) {
  if (!frm.IsLoaded()) return;
  ++windows_shown;
  frm.Activate();
  if (player) player(frm);
  frm.CloseBox();
}

}  // namespace headless
