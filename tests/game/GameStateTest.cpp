// The game state's save seam: what each owner writes, that it reads back the same, and that a
// damaged or short file is refused whole.
#include "game/GameState.h"
#include "core/ClassicError.h"
#include "core/ValueListReader.h"
#include "core/ValueListWriter.h"

#include <gtest/gtest.h>

namespace quillora {
namespace {

GameState SampleState() {
    GameState state;
    state.Vars.Variables.Add("Lamp", 1);
    state.Vars.Variables.Add("Door", -3);
    state.Vars.Disappear.Add("Hall", 2);
    state.InventoryItems = {"Key", "Rope"};
    state.FramesHistory = {"Start", "Hall"};
    state.Vars.VariablesVariant.Add("Name", std::string("Ann"));
    state.Vars.VariablesVariant.Add("Flag", true);
    state.Vars.VariablesVariant.Add("Nothing", std::monostate());
    state.Vars.VariablesVariant.Add("Met", ListDate{OleDateFromParts(2001, 2, 3)});
    return state;
}

std::string Written(const GameState& state) {
    ValueListWriter out;
    WriteState(state, out);
    return out.Bytes();
}

TEST(GameStateSeam, WritesOneValueALineInTheSavedGameOrder) {
    EXPECT_EQ(Written(SampleState()),
              "2\r\n\"Lamp\"\r\n1\r\n\"Door\"\r\n-3\r\n"           // integer variables
              "1\r\n\"Hall\"\r\n2\r\n"                             // hidden hotspots
              "2\r\n\"Key\"\r\n\"Rope\"\r\n"                       // inventory
              "2\r\n\"Start\"\r\n\"Hall\"\r\n"                     // history
              "4\r\n\"Name\"\r\n\"Ann\"\r\n\"Flag\"\r\n#TRUE#\r\n" // variant variables
              "\"Nothing\"\r\n\r\n\"Met\"\r\n#2001-02-03#\r\n");
    EXPECT_EQ(Written(GameState()), "0\r\n0\r\n0\r\n0\r\n0\r\n");
}

TEST(GameStateSeam, ReadsBackWhatItWrote) {
    const std::string bytes = Written(SampleState());
    ValueListReader in(bytes);
    const GameState read = ReadState(in);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(Written(read), bytes);
    EXPECT_EQ(GetVariableValue(read.Vars, "Door"), -3);
    EXPECT_EQ(read.InventoryItems, (std::vector<std::string>{"Key", "Rope"}));
}

TEST(GameStateSeam, ADamagedOrShortFileIsRefused) {
    const std::string bytes = Written(SampleState());
    // Cut before the last value: the reader runs out of values.
    for (size_t cut : {size_t{0}, size_t{3}, bytes.size() / 2, bytes.size() - 14}) {
        ValueListReader in(bytes.substr(0, cut));
        EXPECT_THROW(ReadState(in), ClassicError) << "cut at " << cut;
    }
    // A count that is not a number, and one far beyond what the file holds.
    ValueListReader text("\"many\"\r\n");
    EXPECT_THROW(ReadState(text), ClassicError);
    ValueListReader huge("2000000000\r\n\"A\"\r\n1\r\n");
    EXPECT_THROW(ReadState(huge), ClassicError);
}

} // namespace
} // namespace quillora
