// The calibration object exists from the library's load on.
#include "cali.h"
#include "cali_data_vextral.h"

#include <gtest/gtest.h>

TEST(CaliDataVextral, OneObjectOfTheModulesClassForTheWholeProcess)
{
    cali_t *object = cali_get_instance();
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(cali_get_instance(), object);
    EXPECT_NE(dynamic_cast<cali_data_vextral_t *>(object), nullptr);
    // Its start-up does nothing yet that a caller could see.
    object->init();
    EXPECT_EQ(cali_get_instance(), object);
}
