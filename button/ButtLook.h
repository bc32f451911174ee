// Working state of a button's looks: layout rectangles, working colours,
// caption font, regions and the prepared picture copy. Held by ButtState as
// its `look` member and released with it.
#pragma once

struct ButtLook {
};
