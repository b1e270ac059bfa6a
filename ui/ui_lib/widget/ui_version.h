#pragma once

// The product version the splash screen and the About box show.
#define ONDRIX_PRODUCT_VERSION "1.0.0"
