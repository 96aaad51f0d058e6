#include "gui/centring.h"

namespace kustel {

Place CentredIn(const Place& area, int width, int height) {
  // C++ integer division truncates toward zero, also for a negative difference.
  return {area.left + (area.width - width) / 2, area.top + (area.height - height) / 2, width,
          height};
}

}  // namespace kustel
