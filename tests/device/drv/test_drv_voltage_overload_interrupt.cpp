// The overload-interrupt objects: base and module class, enable, the capability query
// and the module class's second static object.
#include "drv_voltage_overload_interrupt.h"
#include "drv_voltage_overload_interrupt_vextral.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

TEST(DrvVoltageOverloadInterrupt, BaseAnswersOneAndStartsDisabled)
{
    drv_voltage_overload_interrupt_t base;
    EXPECT_EQ(base.get_interrupt_state(), 1);
    EXPECT_FALSE(base.replaces_get_interrupt_state());
    EXPECT_EQ(base.is_enabled(), 0);
    base.handle_interrupt();
    base.enable();
    EXPECT_EQ(base.is_enabled(), 1);
    base.enable();
    EXPECT_EQ(base.is_enabled(), 1);
    EXPECT_EQ(base.get_interrupt_state(), 1);
}

TEST(DrvVoltageOverloadInterrupt, ModulesObjectIsEnabledAndAnswersZero)
{
    drv_voltage_overload_interrupt_vextral_t object;
    drv_voltage_overload_interrupt_t &as_base = object;
    EXPECT_EQ(as_base.is_enabled(), 1);
    EXPECT_EQ(as_base.get_interrupt_state(), 0);
    EXPECT_TRUE(as_base.replaces_get_interrupt_state());
    as_base.handle_interrupt();
    EXPECT_EQ(as_base.get_interrupt_state(), 0);
    EXPECT_EQ(as_base.is_enabled(), 1);
}

TEST(DrvVoltageOverloadInterrupt, SecondStaticObjectPrintsItsClassOnEveryCall)
{
    stdout_capture_t capture;
    drv_voltage_overload_interrupt_vextral_t *first = drv_voltage_overload_interrupt_vextral_t::get_instance();
    drv_voltage_overload_interrupt_vextral_t *second = drv_voltage_overload_interrupt_vextral_t::get_instance();
    EXPECT_EQ(capture.finish(), "drv_voltage_overload_interrupt_vextral_t\n"
                                "drv_voltage_overload_interrupt_vextral_t\n");
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->is_enabled(), 1);
    EXPECT_EQ(first->get_interrupt_state(), 0);
}
