#include "gui/failure_box.h"

#include "platform/error_text.h"

namespace kustel {

void ShowFailure(ShowBoxFunction show, const std::u16string& title) {
  show(title, ErrorText(CurrentFailureText()), BoxIcon::kError);
}

}  // namespace kustel
