#include "settings/desktop.h"

#include <algorithm>
#include <climits>

namespace vendle {
namespace {

// Every bound below fits an int when it comes from monitor sizes; the sums
// with the stored values are taken in 64 bits.
int Clip(qint64 v) {
  return v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : int(v);
}

// No window system shows a window larger than this; one drawn at a larger
// stored size needs more memory than there is.
constexpr int kLargestSide = 32767;

}  // namespace

void KeepOnDesktop(WindowRect& r, const Desktop& desktop) {
  const auto& m = desktop.monitors;
  if (m.size() == 1) {
    const qint64 d0 = m[0].width;
    if (qint64(r.x) >= d0 - 49) r.x = Clip(d0 - 100);
    if (qint64(r.x) + r.w < 220) r.x = 10;
    if (r.y < 0) r.y = 10;
    if (qint64(r.y) >= qint64(m[0].y) + m[0].height - 49) r.y = Clip(qint64(m[0].y) + m[0].height - 100);
  } else if (m.size() >= 2) {
    const qint64 d0 = m[0].width;
    const qint64 x1 = m[1].x;
    const qint64 w1 = m[1].width;
    if (x1 > 0) {
      if (qint64(r.x) >= x1 + w1 - 49) r.x = Clip(x1 + w1 - 100);
      if (qint64(r.x) + r.w < 220) r.x = 0;
    } else {
      if (qint64(r.x) >= d0 - 49) r.x = Clip(d0 - 100);
      if (qint64(r.x) + r.w <= x1 + 219) r.x = Clip(x1);
    }
    if (r.y < 0) r.y = 0;
    // Below the lower edge of both: the window would be on no screen.
    const qint64 bottom = std::max(qint64(m[0].y) + m[0].height, qint64(m[1].y) + m[1].height);
    if (qint64(r.y) >= bottom - 49) r.y = Clip(bottom - 100);
  }
  // After the x tests, which used the stored width.
  if (r.w < 100 || r.w > kLargestSide) r.w = 500;
  if (r.h < 50 || r.h > kLargestSide) r.h = 550;
}

}  // namespace vendle
