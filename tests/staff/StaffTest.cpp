#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>

#include "platform/ui/Bitmap.h"
#include "platform/ui/MouseInput.h"
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
        n.type = type;
        n.dotted = dotted;
        n.line = line;
        n.accidental = accidental;
    }

    // Paints the staff; with a name, also keeps the image for a person.
    ui::Image Paint(const std::string& name = {}) {
        return name.empty() ? staff->PaintToImage() : test::Snap(*staff, name, "staff");
    }

    test::TestHost host{800, 160};
    Staff* staff = new Staff(&host, 720, 4, 2, 792, 155);
};

TEST_F(StaffTest, DefaultPageShowsTheGrandStaffClefsAndThreeBarLines) {
    EXPECT_EQ(staff->ScrollOffset(), 5);
    EXPECT_EQ(staff->RightX(), 690);
    const ui::Image img = Paint("staff_empty");
    // Treble 40..72 and bass 88..120 in black, middle C's ledger line (80).
    for (int y = 40; y <= 120; y += 8) {
        EXPECT_EQ(img.Pixel(600, y), y == 80 ? kLedger : kBlack) << y;
        EXPECT_EQ(img.Pixel(600, y + 4), kGrey) << y + 4;
        if (y != 80) {  // the clefs' own lines, at both their edges, lie on the staff's
            test::ExpectPixels(img, kBlack, {{6, y}, {33, y}});
        }
    }
    for (int x : {50, 370, 690}) {  // bar lines, two pixels wide
        test::ExpectPixels(img, kBlack, {{x - 1, 60}, {x, 60}, {x, 100}});
    }
    EXPECT_TRUE(test::Shows(img, ui::Bitmap(537).Pixels(), 6, 25));
    EXPECT_EQ(img.Pixel(6, 25), kGrey) << "the clef's ground is the staff's";
    // The scroll bar moves the view by line spacings.
    ui::UserInput::DragThumb(staff->GetScrollBar(), 0);
    EXPECT_EQ(staff->ScrollOffset(), 0);
    test::ExpectPixels(Paint(), kBlack, {{600, 80}, {600, 112}});
}

TEST_F(StaffTest, MarkersShowTheirRangeAndStandAtThePageEdgeBeyondIt) {
    sd.gridSetting = 0;
    staff->SetMarkers(192, 1, 0, 0);
    const ui::Image first = Paint();
    test::ExpectPixels(first, kGreen, {{129, 30}, {131, 150}});
    EXPECT_EQ(first.Pixel(170, 30), kGrey);
    staff->SetMarkers(192, 1, 201, 1);  // x 130 and 133: too close for the fill
    const ui::Image close = Paint();
    EXPECT_EQ(std::tuple(close.Pixel(131, 30), close.Pixel(133, 30)), std::tuple(kGreen, kMagenta));
    staff->SetMarkers(192, 1, 384, 1);
    const ui::Image range = Paint("staff_marked_range");
    test::ExpectPixels(range, kMagenta, {{210, 30}});
    test::ExpectPixels(range, kMarked, {{132, 30}, {170, 150}, {208, 30}});
    uint32_t start = 0, end = 0;
    EXPECT_EQ(staff->GetEditStatus(&start, &end), 1);
    EXPECT_EQ(end - start, 192u);
    // Markers off the page stand at the edge they lie beyond.
    sd.bar = 1;
    staff->SetMarkers(0, 1, 768 * 9, 1);
    const ui::Image edges = Paint();
    EXPECT_EQ(std::tuple(edges.Pixel(50, 30), edges.Pixel(690, 30)), std::tuple(kGreen, kMagenta));
    staff->ClearMarkers();
    EXPECT_EQ(staff->GetEditStatus(&start, &end), 0);
    EXPECT_EQ(Paint().Pixel(300, 30), kGrey);
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
    EXPECT_EQ(Paint().Pixel(790, 40), kBlack);
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

}  // namespace
}  // namespace tw
