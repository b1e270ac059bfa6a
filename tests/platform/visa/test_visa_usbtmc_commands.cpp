// The instrument layer over USB: identification and a one-piece download reach the
// emulated instrument through the USB-TMC backend, with the pauses recorded.
#include "comm_test_util.h"
#include "instr_send_wv.h"
#include "visa_usb_fixture.h"

#include "plat_sleep_recorder.h"

namespace {

class VisaUsbtmcCommands : public visa_usb_fixture_t
{
protected:
    plat_sleep_recorder_t pauses;
    drv_device_comm_t *comm = drv_device_comm_t::get_instance();
};

} // namespace

TEST_F(VisaUsbtmcCommands, SearchAndIdentificationFindTheGenerator)
{
    plug(usbtmc_sim_instrument_t::instrument_config("SIMUSB01", 2), sim_generator_profile(4));
    plug(usbtmc_sim_instrument_t::instrument_config("SCOPE01", 3), sim_scope_profile(4));
    start();
    std::vector<awg_prod_info_t> awgs;
    std::vector<scope_prod_info_t> scopes;
    comm->find_and_identify_all(awgs, scopes);
    ASSERT_EQ(awgs.size(), 1u);
    EXPECT_EQ(awgs[0].addr_res, k_name);
    EXPECT_EQ(awgs[0].model_class, 4);
    EXPECT_EQ(awgs[0].model, sim_generator_product(4));
    ASSERT_EQ(scopes.size(), 1u);
    EXPECT_EQ(scopes[0].addr_res, "USB0::0x3A7D::0x0210::SCOPE01::INSTR");
    for (const auto &i : instruments)
        EXPECT_TRUE(i->wait_open_handles(0)) << "each probe closes its session";
}

TEST_F(VisaUsbtmcCommands, AOnePieceDownloadArrivesWholeAndTooSmallABufferFailsTheRead)
{
    usbtmc_sim_instrument_t &instrument = plug();
    start();
    const uint32 points = 600000; // 1.2 MB of samples: two messages
    std::vector<int16> samples(points);
    for (uint32 i = 0; i < points; ++i)
        samples[i] = int16(int32(i * 13u % 65535u) - 32767);
    lib_wv_data_t<short int> wave;
    write_samples(wave, samples);

    ViSession session = 0;
    ASSERT_GE(comm->open_instr(k_name, session), VI_SUCCESS);
    instrument.clear_records();
    ASSERT_EQ(instr_send_wave(session, 0, 2.0f, 0.0f, 1000.0, 1000.0 * points, 0, int(points), "usbwave", wave,
                              "/Local", 2, 1, false),
              1);
    const sim_wave_t *stored = instrument.engine().wave("usbwave");
    ASSERT_NE(stored, nullptr);
    EXPECT_TRUE(stored->data == sample_bytes(samples));
    EXPECT_EQ(instrument.engine().selected(0), "NAME,usbwave");
    EXPECT_TRUE(instrument.engine().errors().empty());

    ASSERT_EQ(comm->write_cmd(session, "*IDN?\n", 6), 1);
    char small[8];
    EXPECT_EQ(comm->read_data(session, small, sizeof small), -1);
    EXPECT_EQ(comm->close_instr(session), VI_SUCCESS);
    EXPECT_TRUE(instrument.wait_open_handles(0));
}
