#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "playback/PortList.h"

namespace tw {
namespace {

class PortChoice : public ::testing::Test {
protected:
    void SetUp() override { SetPortDefaults(); }
    PortList list{{"Midi Through:Port-0 14:0", "synth:midi_in"}};
};

TEST_F(PortChoice, EntriesAreTheDevicesThenTheMapperAndChoosingOneStoresItsNumberAndName) {
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"Midi Through:Port-0 14:0", "synth:midi_in",
                                                        "Midi Mapper"}));
    EXPECT_EQ(list.SelectedIndex(md), 2);
    md.portDevice = 5;
    std::strcpy(md.portName, "gone");
    EXPECT_EQ(list.SelectedIndex(md), -1) << "a stored device that no longer exists";
    list.ShowSelection(md);
    EXPECT_EQ(md.portDevice, 5u) << "showing the list changes no choice";
    EXPECT_STREQ(md.portName, "gone");
    list.Choose(1, md);
    EXPECT_EQ(md.portDevice, 1u);
    EXPECT_STREQ(md.portName, "synth:midi_in");
    EXPECT_EQ(list.SelectedIndex(md), 1);
    list.Choose(2, md);
    EXPECT_EQ(md.portDevice, midi::kMapper);
    list.Choose(7, md);
    EXPECT_EQ(md.portDevice, midi::kMapper) << "an index outside the list changes nothing";
    PortList({std::string(400, 'x')}).Choose(0, md);
    EXPECT_EQ(std::strlen(md.portName), 253u);
}

// The mapper's place in the list is no number of its own: only kMapper is;
// a device named Midi Mapper is taken for the mapper.
TEST_F(PortChoice, ANumberEqualToTheDeviceCountSelectsNothingAndADeviceNamedMidiMapperIsIt) {
    md.portDevice = 2;
    std::strcpy(md.portName, "synth:midi_out");
    EXPECT_EQ(list.SelectedIndex(md), -1);
    list.ShowSelection(md);
    EXPECT_EQ(std::tuple(md.portDevice, std::string(md.portName)),
              std::tuple(2u, std::string("synth:midi_out")));
    const PortList odd({"Midi Mapper", "other"});
    odd.Choose(0, md);
    EXPECT_EQ(md.portDevice, midi::kMapper);
    EXPECT_EQ(odd.SelectedIndex(md), 0) << "the first entry reading Midi Mapper";
}

}  // namespace
}  // namespace tw
