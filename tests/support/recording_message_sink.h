#pragma once

#include <string>
#include <vector>

#include "platform/message_sink.h"

namespace kustel {

// Keeps every message instead of showing it, so a test can check which texts the user saw and
// in what order.
class RecordingMessageSink final : public MessageSink {
 public:
  void ShowMessage(const std::u16string& text) override { texts.push_back(text); }

  std::vector<std::u16string> texts;
};

}  // namespace kustel
