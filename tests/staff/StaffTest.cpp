#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/ui/Bitmap.h"
#include "platform/ui/MouseInput.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/TestHost.h"
#include "platform/ui/UserInput.h"
#include "staff/Staff.h"
#include "tests/support/SongFixture.h"

namespace tw {
namespace {

using ui::Color;

const Color kGrey{192, 192, 192};
const Color kBlack = Color::Black();
const Color kLedger{150, 0, 0};
const Color kNote{128, 0, 0};
const Color kGrid{0, 0, 192};
const Color kGreen{0, 255, 0};
const Color kMagenta{255, 0, 255};
const Color kMarked{128, 128, 128};

// A staff of the main window's size over freshly reset tables (4/4, two
// bars a page, division 192, grid on the beat).
class StaffTest : public test::SongFixture {
protected:
    void SetUp() override {
        SongFixture::SetUp();
        host.Open();
    }

    // Appends a note to track 0, which must stay in time order.
    void Add(uint32_t start, uint8_t line, uint8_t type, uint8_t dotted = 0,
             int32_t accidental = kNoAccidental) {
        displaydata& n = dd[0][sd.noteCount[0]++];
        n = displaydata{};
        n.start = start;
        n.end = start + 96;
        n.line = line;
        n.type = type;
        n.dotted = dotted;
        n.accidental = accidental;
    }

    // Paints the staff; with a name, also writes the image under
    // test-output/staff for a person to look at.
    ui::Image Paint(const std::string& name = {}) {
        ui::Image image = staff->PaintToImage();
        if (!name.empty()) {
            const char* base = std::getenv("TUNEWELL_TEST_OUTPUT");
            std::filesystem::path dir = base != nullptr && *base != '\0'
                                            ? std::filesystem::path(base)
                                            : TUNEWELL_BUILD_TEST_OUTPUT;
            dir /= "staff";
            std::filesystem::create_directories(dir);
            EXPECT_TRUE(image.SavePng((dir / (name + ".png")).string()));
        }
        return image;
    }

    test::TestHost host{800, 160};
    Staff* staff = new Staff(&host, 720, 4, 2, 792, 155);
};

TEST_F(StaffTest, DefaultPageShowsTheGrandStaffClefsAndThreeBarLines) {
    EXPECT_EQ(staff->ScrollOffset(), 5);
    EXPECT_EQ(staff->RightX(), 690);
    EXPECT_EQ(staff->MarkRect(), (ui::Rect{40, 0, 780, 154}));
    EXPECT_EQ(staff->GetScrollBar().GetPosition(), 4);
    const ui::Image img = Paint("staff_empty");
    // Treble 40..72 and bass 88..120 in black from the braces; ledger lines
    // (middle C at 80) and the outer ones from the first bar line.
    for (int y = 40; y <= 120; y += 8) {
        EXPECT_EQ(img.Pixel(600, y), y == 80 ? kLedger : kBlack) << y;
        EXPECT_EQ(img.Pixel(600, y + 4), kGrey) << y + 4;
    }
    test::ExpectPixels(img, kBlack, {{5, 41}, {5, 100}, {689, 40}, {689, 120}});
    test::ExpectPixels(img, kLedger, {{50, 80}, {689, 80}, {600, 8}, {600, 144}});
    test::ExpectPixels(img, kGrey, {{49, 80}, {690, 80}, {691, 40}, {600, 152}, {44, 8}});
    // Bar lines, two pixels wide, over both staves only.
    for (int x : {50, 370, 690}) {
        test::ExpectPixels(img, kBlack, {{x, 60}, {x - 1, 60}, {x, 100}});
        EXPECT_EQ(img.Pixel(x + 1, 60), x == 370 ? kGrey : img.Pixel(x + 1, 60));
    }
    EXPECT_EQ(img.Pixel(369, 84), kGrey);
    EXPECT_TRUE(test::Shows(img, ui::Bitmap(537).Pixels(), 6, 25));
    // Frame, scroll-bar divider and the time signature's black digits.
    test::ExpectPixels(img, kBlack, {{0, 60}, {791, 60}, {300, 0}, {300, 154}, {779, 60}});
    int ink = 0;
    for (int y = 41; y < 88; ++y) {
        for (int x = 35; x < 46; ++x) {
            ink += y % 8 != 0 && img.Pixel(x, y) == kBlack;
        }
    }
    EXPECT_GT(ink, 20);
}

TEST_F(StaffTest, TheScrollBarMovesTheStaffByLineSpacings) {
    ui::UserInput::DragThumb(staff->GetScrollBar(), 0);
    EXPECT_EQ(staff->ScrollOffset(), 0);
    const ui::Image top = Paint();
    test::ExpectPixels(top, kBlack, {{600, 80}, {600, 112}, {600, 128}});
    EXPECT_EQ(top.Pixel(600, 120), kLedger);
    ui::UserInput::Click(staff->GetScrollBar(), ui::UserInput::ScrollPart::PageDown);
    EXPECT_EQ(staff->ScrollOffset(), 2);
}

TEST_F(StaffTest, EachNoteTypeHasItsHeadStemAndFlags) {
    // Line 24 (G4) at offset 5: the head covers rows 62..67 from its x.
    for (uint8_t type = 0; type <= 5; ++type) {
        Add(192u * type, 24, type);
    }
    Add(192 * 6, 24, 2, 1, kSharp);
    Add(192 * 7, 24, 2, 0, kFlat);
    Add(768 * 2, 24, 2);  // the next page
    const ui::Image img = Paint("staff_note_types");
    struct Expect {
        bool filled, stem;
        int flags;
    };
    const Expect kTypes[] = {{false, false, 0}, {true, false, 0}, {true, true, 0},
                             {true, true, 1},   {true, true, 2},  {true, true, 3}};
    for (int type = 0; type <= 5; ++type) {
        const int x = 50 + 80 * type;
        const Expect& e = kTypes[type];
        EXPECT_EQ(img.Pixel(x + 3, 65), e.filled ? kNote : kGrey) << "head " << type;
        EXPECT_EQ(img.Pixel(x, 65), kNote) << "rim " << type;
        EXPECT_EQ(img.Pixel(x + 5, 52), e.stem ? kNote : kGrey) << "stem " << type;
        for (int flag = 0; flag < 3; ++flag) {
            EXPECT_EQ(img.Pixel(x + 7, 49 + 4 * flag), flag < e.flags ? kNote : kGrey)
                << "flag " << flag << " of type " << type;
        }
        EXPECT_EQ(img.Pixel(x + 10, 67), kGrey) << "no dot " << type;
        EXPECT_EQ(img.Pixel(x - 9, 63), kGrey) << "no accidental " << type;
    }
    // Dot right of the head, sharp 11 and flat 8 pixels left of it.
    EXPECT_EQ(img.Pixel(530 + 10, 67), kNote);
    test::ExpectPixels(img, kNote, {{530 - 9, 63}, {530 - 6, 62}, {530 - 4, 65}});
    test::ExpectPixels(img, kNote, {{610 - 8, 59}, {610 - 8, 63}});
    EXPECT_EQ(img.Pixel(610 - 6, 58), kGrey);
    // Nothing of the note on the next page.
    EXPECT_EQ(img.Pixel(693, 65), kGrey);
}

TEST_F(StaffTest, OnlyNotesStartingOnThePageAreDrawnWhereverItLies) {
    for (uint32_t t = 0; t < 768 * 20; t += 48) {
        Add(t, 24, 2);
    }
    Add(768 * 20 - 1, 26, 2);  // the last tick of bar 19
    sd.bar = 10;
    const ui::Image img = Paint();
    EXPECT_EQ(img.Pixel(53, 65), kNote);           // t = 7680, at x = 50
    EXPECT_EQ(img.Pixel(50 + 20 + 3, 65), kNote);  // t = 7728, 20 pixels on
    EXPECT_EQ(img.Pixel(60, 65), kGrey);           // nothing in between
    sd.bar = 18;  // the page of bars 18 and 19 ends with the note at 15359
    EXPECT_EQ(Paint().Pixel(689 + 3, 73), kNote);  // line 26 at x = 50 + 639
    sd.bar = 20;                                   // past the last note
    EXPECT_EQ(Paint().Pixel(53, 65), kGrey);
}

TEST_F(StaffTest, GridFollowsTheSettingAndStopsBeforeRightX) {
    sd.gridSetting = 0;
    const ui::Image none = Paint();
    test::ExpectPixels(none, kGrey, {{130, 30}, {210, 30}, {610, 30}});
    sd.gridSetting = 4;
    const ui::Image beats = Paint("staff_grid_beats");
    test::ExpectPixels(beats, kGrid, {{130, 2}, {130, 30}, {210, 152}, {610, 30}});
    test::ExpectPixels(beats, kGrey, {{170, 30}, {700, 30}, {131, 30}});
    sd.gridSetting = 1;
    const ui::Image fine = Paint();
    test::ExpectPixels(fine, kGrid, {{60, 30}, {680, 30}});
    EXPECT_EQ(fine.Pixel(65, 30), kGrey);
}

TEST_F(StaffTest, MarkersShowOneLineTwoLinesAndTheRangeBetween) {
    sd.gridSetting = 0;  // the grid is drawn over the markers
    staff->SetMarkers(192, 1, 0, 0);
    const ui::Image first = Paint();
    test::ExpectPixels(first, kGreen, {{129, 30}, {130, 2}, {131, 150}});
    test::ExpectPixels(first, kGrey, {{170, 30}, {128, 30}});
    staff->SetMarkers(192, 1, 201, 1);  // x 130 and 133: too close for the fill
    const ui::Image close = Paint();
    test::ExpectPixels(close, kGreen, {{130, 30}, {131, 30}});
    test::ExpectPixels(close, kMagenta, {{133, 30}, {134, 30}});
    staff->SetMarkers(192, 1, 384, 1);
    const ui::Image range = Paint("staff_marked_range");
    test::ExpectPixels(range, kGreen, {{130, 30}});
    test::ExpectPixels(range, kMagenta, {{210, 30}});
    test::ExpectPixels(range, kMarked, {{132, 30}, {170, 3}, {170, 150}, {208, 30}});
    uint32_t start = 0, end = 0;
    EXPECT_EQ(staff->GetEditStatus(&start, &end), 1);
    EXPECT_EQ(start, 192u);
    EXPECT_EQ(end, 384u);
    // Markers off the page stand at the edge they lie beyond.
    sd.bar = 1;
    staff->SetMarkers(0, 1, 768 * 9, 1);
    const ui::Image edges = Paint();
    EXPECT_EQ(edges.Pixel(50, 30), kGreen);
    EXPECT_EQ(edges.Pixel(690, 30), kMagenta);
    staff->ClearMarkers();
    EXPECT_EQ(staff->MarkStartSet() + staff->MarkEndSet(), 0);
    EXPECT_EQ(staff->GetEditStatus(&start, &end), 0);
    EXPECT_EQ(Paint().Pixel(300, 30), kGrey);
}

TEST_F(StaffTest, NumeratorTwelveMakesOneBarWiderThanTheControl) {
    sd.tsNumerator = 12;
    sd.barTicks = BarTicksFor(12, 4, 192);
    sd.staffBars = StaffBarsFor(12);
    staff->Refresh();
    EXPECT_EQ(staff->RightX(), 1010);
    Add(192 * 8, 24, 2);   // x 690
    Add(192 * 11, 24, 2);  // x 930, clipped
    const ui::Image img = Paint("staff_numerator_12");
    test::ExpectPixels(img, kBlack, {{790, 40}, {790, 120}});
    EXPECT_EQ(img.Pixel(693, 65), kNote);
    EXPECT_EQ(img.Pixel(369, 60), kGrey);  // no bar line inside the one bar
}

TEST_F(StaffTest, GetTimeSnapsToTheNearestUnitFromSongTimeZero) {
    EXPECT_EQ(staff->GetTime(75), 48u);  // t = 60
    EXPECT_EQ(staff->GetTime(80), 48u);  // t = 72, halfway: the earlier one
    EXPECT_EQ(staff->GetTime(81), 96u);
    sd.snapSetting = 0;
    EXPECT_EQ(staff->GetTime(130), 192u);
    sd.bar = 3;
    EXPECT_EQ(staff->GetTime(130), 192u + 768 * 3);
    sd.snapSetting = 5;  // half notes, counted from 0 and not from the page
    EXPECT_EQ(staff->GetTime(50), 2304u);
    sd.division = 4;  // a thirty-second of 0 ticks: left unsnapped
    sd.snapSetting = 1;
    EXPECT_EQ(staff->GetTime(51), 2304u + 2);
    sd.tsNumerator = 0;  // no width per bar: the page's start
    EXPECT_EQ(staff->GetTime(400), 2304u);
    sd.tsNumerator = 4;
    sd.bar = UINT32_MAX;
    EXPECT_EQ(staff->GetTime(600), UINT32_MAX);
}

TEST_F(StaffTest, RightClicksPlaceTwoMarkersInOrderThenClearThem) {
    using ui::MouseInput;
    const auto right = MouseInput::Button::Right;
    MouseInput::Click(*staff, {49, 60}, right);   // left of the staff
    MouseInput::Click(*staff, {690, 60}, right);  // at rightX
    sd.playState = 1;
    MouseInput::Click(*staff, {130, 60}, right);
    sd.playState = 0;
    EXPECT_EQ(staff->MarkStartSet(), 0);
    MouseInput::Click(*staff, {210, 60}, right);
    EXPECT_EQ(staff->MarkStartSet(), 1);
    EXPECT_EQ(staff->MarkStart(), 384u);
    MouseInput::Click(*staff, {75, 60}, right);  // further left: exchanged
    EXPECT_EQ(staff->MarkStart(), 48u);
    EXPECT_EQ(staff->MarkEnd(), 384u);
    EXPECT_EQ(staff->MarkEndSet(), 1);
    MouseInput::Click(*staff, {300, 60}, right);
    EXPECT_EQ(staff->MarkStartSet() + staff->MarkEndSet(), 0);
    // An armed paste takes the click instead of a first marker, not a second.
    sd.editFlag = 1;
    MouseInput::Click(*staff, {130, 60}, right);
    EXPECT_EQ(staff->MarkStartSet(), 0);
    staff->SetMarkers(0, 1, 0, 0);
    MouseInput::Click(*staff, {210, 60}, right);
    EXPECT_EQ(staff->MarkEndSet(), 1);
    EXPECT_EQ(host.received, (test::Notifications{{720, Staff::kPasteNotes, 192}}));
}

TEST_F(StaffTest, AbsurdSongSettingsNeitherCrashNorHang) {
    Add(0, 24, 2);
    staff->SetMarkers(0, 1, 500, 1);
    sd.barTicks = 0;  // an empty page: no division by zero
    EXPECT_EQ(Paint().Pixel(53, 65), kGrey);
    staff->ClearMarkers();
    sd.barTicks = 768;
    sd.gridSetting = 77;
    EXPECT_EQ(Paint().Pixel(130, 30), kGrey);
    sd.gridSetting = 4;
    sd.staffBars = UINT32_MAX;
    sd.ts32nds = UINT32_MAX;
    sd.tsNumerator = UINT32_MAX;
    staff->Refresh();
    EXPECT_EQ(staff->RightX(), Staff::kMaxRightX);
    const ui::Image wide = Paint();
    EXPECT_EQ(wide.Pixel(790, 40), kBlack);
    sd.tsNumerator = 0;
    sd.staffBars = UINT32_MAX;
    staff->Refresh();
    EXPECT_EQ(staff->RightX(), 50);
    EXPECT_EQ(Paint().Pixel(50, 60), kBlack);
    sd.tsNumerator = 4;
    sd.staffBars = 2;
    sd.ts32nds = 8;
    sd.bar = UINT32_MAX;  // a page beyond the last tick
    EXPECT_EQ(Paint().Pixel(53, 65), kGrey);
    sd.bar = 0;
    sd.track = 40;  // no such track
    EXPECT_EQ(Paint().Pixel(53, 65), kGrey);
    sd.track = 0;
    sd.noteCount[0] = UINT32_MAX;  // only the table's capacity is read
    (void)Paint();
    sd.noteCount[0] = 1;
    EXPECT_EQ(Paint().Pixel(53, 65), kNote);
}

TEST_F(StaffTest, AFullPageOfChordsWithLedgerLinesIsDrawnWhole) {
    // Lines 10 and 44 lie on ledger lines above and below the grand staff.
    const uint8_t kChord[] = {10, 14, 17, 20, 24, 27, 28, 31, 34, 40, 44};
    for (uint32_t t = 0; t < 768 * 2; t += 96) {
        const uint32_t k = t / 96;
        for (uint8_t line : kChord) {
            Add(t, line, static_cast<uint8_t>(k % 5 + 1), k % 4 == 1,
                static_cast<int32_t>(k % 3) - 1);
        }
    }
    staff->SetMarkers(192, 1, 576, 1);
    const ui::Image img = Paint("staff_full_page");
    for (int x = 50; x < 690; x += 40) {
        for (uint8_t line : kChord) {
            EXPECT_EQ(img.Pixel(x + 3, 12 + 4 * line - 40 - 3), kNote) << x << " " << int(line);
        }
    }
}

}  // namespace
}  // namespace tw
