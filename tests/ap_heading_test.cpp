// The heading panel and the course window: the knobs round through north,
// the HDG and NAV pushbuttons in every approach mode, the lateral modes'
// events to the host's autopilot only while its flags say they are needed,
// the window drums, and host readings that are not numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "autoflight/heading_state.h"
#include "module/aircraft_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

constexpr const char* kHdg = "toskelin ap_hdg_rulo";
constexpr const char* kCrs = "toskelin ap_crs_rulo";
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

constexpr uint32_t kCourse = 45, kNavStatus = 46, kMaster = 103, kWingLeveller = 104, kNavHold = 105,
                   kHeadingHold = 106, kHostHeading = 107, kGpsBearing = 836, kGpsDrivesNav = 848;
constexpr uint32_t kHeadingSet = 0x101fa, kHeadingHoldOn = 0x1010f, kLocHoldOn = 0x1010d,
                   kNav1HoldOn = 0x10113, kWingLevellerOff = 0x10119, kHeadingHoldOff = 0x10117,
                   kNav1HoldOff = 0x1011b, kLocHoldOff = 0x10115, kCourseSet = 0x100b4;

// A flight director on, the host's autopilot functions all off.
struct Bench {
    FakeHost host;
    Bench() {
        aircraft.FdCommandState = 1;
        aircraft.DcEssBusPowered = 1;
        for (uint32_t t : {kMaster, kWingLeveller, kNavHold, kHeadingHold, kHostHeading, kGpsDrivesNav})
            host.set(t, 0);
        host.set_bits(kNavStatus, 0);
    }
    void update() { host.update(kHdg); }
    std::vector<uint32_t> sent() const {
        std::vector<uint32_t> ids;
        for (const KeyEvent& e : host.events()) ids.push_back(e.id);
        return ids;
    }
};

TEST(HeadingKnob, TurnsRoundThroughNorthWithinZeroTo359) {
    struct Row {
        int32_t from;
        const char* area;
        int32_t to;
    };
    const Row rows[] = {
        {0, "HDG knob minus 1", 359},  {359, "HDG knob plus 1", 0},    {5, "HDG knob minus 10", 355},
        {355, "HDG knob plus 10", 5},  {350, "HDG knob plus 10", 0},   {10, "HDG knob minus 10", 0},
        {9, "HDG knob minus 10", 359}, {349, "HDG knob plus 10", 359}, {180, "HDG knob plus 1", 181},
    };
    for (const Row& r : rows) {
        Bench b;
        aircraft.SelectedHeading = r.from;
        b.host.click(kHdg, r.area);
        EXPECT_EQ(aircraft.SelectedHeading, r.to) << r.from << " " << r.area;
    }
}

TEST(CourseKnob, HandsTheReceiverACourseWithinZeroTo359) {
    struct Row {
        double reading;
        const char* area;
        uint32_t sent;
    };
    const Row rows[] = {
        {359, "CRS knob plus 1", 0},   {0, "CRS knob minus 1", 359},  {350, "CRS knob plus 10", 0},
        {355, "CRS knob plus 10", 5},  {5, "CRS knob minus 10", 355}, {10, "CRS knob minus 10", 0},
        {359.7, "CRS knob plus 1", 0}, {360, "CRS knob plus 1", 1},   {-1, "CRS knob plus 1", 0},
        {90, "CRS knob minus 1", 89},
    };
    for (const Row& r : rows) {
        Bench b;
        b.host.set(kCourse, r.reading);
        b.host.click(kCrs, r.area);
        EXPECT_EQ(b.host.events(), (std::vector<KeyEvent>{{kCourseSet, r.sent}}))
            << r.reading << " " << r.area;
    }
}

TEST(CourseKnob, WithoutACourseReadingSendsNothingAndTheWindowShowsNorth) {
    Bench b;
    b.host.set(kCourse, kNaN);
    for (const char* area : {"CRS knob plus 1", "CRS knob minus 10"}) b.host.click(kCrs, area);
    EXPECT_TRUE(b.host.events().empty());
    b.host.update(kCrs);
    const auto t = gauges::ap_crs::state.window.target;
    EXPECT_EQ(t.hundreds + t.tens + t.units, 0.0);
}

TEST(HeadingWindow, DrumsSettleOnTheDigitsTheHundredsOnFourPositions) {
    struct Row {
        int32_t heading;
        double hundreds, tens, units;
    };
    const Row rows[] = {{0, 0, 0, 0}, {273, 2, 3, 7}, {100, 3, 0, 0}, {359, 1, 5, 1}, {45, 0, 6, 5}};
    for (const Row& r : rows) {
        Bench b;
        aircraft.SelectedHeading = 359;
        for (int i = 0; i < 60; ++i) b.update(), b.host.draw(kHdg);
        aircraft.SelectedHeading = r.heading;
        for (int i = 0; i < 60; ++i) b.update(), b.host.draw(kHdg);
        EXPECT_EQ(b.host.value(FakeHost::element(kHdg, "HDG drum 100s")), r.hundreds) << r.heading;
        EXPECT_EQ(b.host.value(FakeHost::element(kHdg, "HDG drum 10s")), r.tens) << r.heading;
        EXPECT_EQ(b.host.value(FakeHost::element(kHdg, "HDG drum units")), r.units) << r.heading;
    }
}

TEST(HdgPushbutton, TakesOverFromTheApproachExceptInLandOnTheLocaliser) {
    struct Row {
        const char* what;
        uint8_t approach, loc, nav;
        uint8_t approach_after, loc_after, nav_after, heading_select_after;
    };
    const Row rows[] = {
        {"LAND on the localiser: nothing", 30, 1, 1, 30, 1, 1, 0},
        {"LAND before the localiser", 30, 0, 3, 0, 0, 0, 1},
        {"LAND before the localiser, radio NAV kept", 30, 0, 1, 0, 0, 1, 1},
        {"LOC captured", 20, 1, 1, 0, 0, 0, 1},
        {"INS navigation", 0, 0, 3, 0, 0, 0, 1},
        {"radio NAV not captured", 0, 0, 1, 0, 0, 1, 1},
    };
    for (const Row& r : rows) {
        Bench b;
        aircraft.ApproachMode = r.approach;
        aircraft.LocCaptured = r.loc;
        aircraft.NavMode = r.nav;
        aircraft.GoAroundMode = 1;
        aircraft.ModeCancelHold = 1;
        b.host.click(kHdg, "HDG pushbutton");
        EXPECT_EQ(aircraft.ApproachMode, r.approach_after) << r.what;
        EXPECT_EQ(aircraft.LocCaptured, r.loc_after) << r.what;
        EXPECT_EQ(aircraft.NavMode, r.nav_after) << r.what;
        EXPECT_EQ(aircraft.HeadingSelectMode, r.heading_select_after) << r.what;
        EXPECT_EQ(aircraft.GoAroundMode, r.heading_select_after ? 0 : 1) << r.what;
    }
}

TEST(HdgPushbutton, NeedsTheFlightDirectorAndTogglesOff) {
    Bench b;
    aircraft.FdCommandState = 0;
    b.host.click(kHdg, "HDG pushbutton");
    EXPECT_EQ(aircraft.HeadingSelectMode, 0);
    aircraft.FdCommandState = 2;
    b.host.click(kHdg, "HDG pushbutton");
    EXPECT_EQ(aircraft.HeadingSelectMode, 1);
    b.host.click(kHdg, "HDG pushbutton");
    EXPECT_EQ(aircraft.HeadingSelectMode, 0);
}

TEST(NavPushbutton, ChoosesTheNavigationTheAircraftHas) {
    struct Row {
        const char* what;
        uint8_t approach;
        double gps;
        uint32_t status;
        int16_t ins;
        uint8_t fd_basic;
        uint8_t nav_after;
    };
    const Row rows[] = {
        {"radio", 0, 0, 0, 0, 0, 1},
        {"GPS drives NAV", 0, 1, 0, 0, 0, 2},
        {"GPS drives NAV, in LOC: radio on the back-up bit", 20, 1, 0x80, 0, 0, 1},
        {"in LOC without the back-up bit", 20, 0, 0x40, 0, 0, 0},
        {"in LAND", 30, 0, 0x80, 0, 0, 0},
        {"INS coupled", 0, 1, 0, 1, 0, 3},
        {"FD lateral basic mode", 0, 0, 0, 0, 1, 0},
    };
    for (const Row& r : rows) {
        Bench b;
        aircraft.ApproachMode = r.approach;
        aircraft.InsCoupledValue = r.ins;
        aircraft.FdLateralBasicMode = r.fd_basic;
        aircraft.HeadingSelectMode = 1;
        b.host.set(kGpsDrivesNav, r.gps);
        b.host.set_bits(kNavStatus, r.status);
        b.host.click(kHdg, "NAV pushbutton");
        EXPECT_EQ(aircraft.NavMode, r.nav_after) << r.what;
        EXPECT_EQ(aircraft.HeadingSelectMode, r.nav_after == 3 ? 0 : 1) << r.what;
    }
}

TEST(NavPushbutton, TogglesOffAndNeedsTheFlightDirector) {
    Bench b;
    aircraft.NavMode = 2;
    b.host.click(kHdg, "NAV pushbutton");
    EXPECT_EQ(aircraft.NavMode, 0);
    aircraft.FdCommandState = 0;
    b.host.click(kHdg, "NAV pushbutton");
    EXPECT_EQ(aircraft.NavMode, 0);
}

// Each host function is switched off only while its flag reads 1.0 and on
// only while it reads 0; a flag that reads anything else is left alone.
TEST(LateralModes, SwitchHostFunctionsOnlyByTheirFlags) {
    struct Row {
        const char* what;
        uint8_t heading_select, nav, approach;
        double master, wing, nav_hold, heading_hold;
        std::vector<uint32_t> sent;
    };
    const std::vector<Row> rows = {
        {"HDG: heading hold on, wing leveller off", 1, 0, 0, 1, 1, 0, 0, {kHeadingHoldOn, kWingLevellerOff}},
        {"HDG with both already so", 1, 0, 0, 1, 0, 0, 1, {}},
        {"HDG, flags not numbers", 1, 0, 0, 1, kNaN, kNaN, kNaN, {}},
        {"HDG, host master off", 1, 0, 0, 0, 1, 0, 0, {}},
        {"no mode: heading hold off", 0, 0, 0, 1, 0, 0, 1, {kHeadingHoldOff}},
        {"no mode: navigation hold off, NAV1 first", 0, 0, 0, 0, 0, 1, 0, {kNav1HoldOff, kLocHoldOff}},
        {"no mode in LOC: navigation hold kept", 0, 0, 20, 0, 0, 1, 0, {}},
        {"no mode, nothing on", 0, 0, 0, 1, 0, 0, 0, {}},
        {"GPS with the master on", 0, 2, 0, 1, 1, 0, 0, {kWingLevellerOff, kNav1HoldOn}},
        {"GPS, NAV1 hold already on", 0, 2, 0, 1, 0, 1, 0, {}},
    };
    for (const Row& r : rows) {
        Bench b;
        aircraft.HeadingSelectMode = r.heading_select;
        aircraft.NavMode = r.nav;
        aircraft.ApproachMode = r.approach;
        aircraft.SelectedHeading = 0;
        b.host.set(kGpsDrivesNav, r.nav == 2 ? 1.0 : 0.0);
        b.host.set(kMaster, r.master);
        b.host.set(kWingLeveller, r.wing);
        b.host.set(kNavHold, r.nav_hold);
        b.host.set(kHeadingHold, r.heading_hold);
        b.update();
        std::vector<uint32_t> sent;
        for (uint32_t id : b.sent())
            if (id != kHeadingSet) sent.push_back(id);
        EXPECT_EQ(sent, r.sent) << r.what;
    }
}

TEST(LateralModes, RadioNavigationOnAStationSwitchesNav1HoldForTheLocaliserHold) {
    Bench b;
    aircraft.NavMode = 2;
    b.host.set(kMaster, 1);
    b.host.set(kNavHold, 1);
    b.host.set_bits(kNavStatus, 0x40);
    b.update();
    EXPECT_EQ(b.sent(), (std::vector<uint32_t>{kNav1HoldOff, kLocHoldOn}));
    EXPECT_EQ(aircraft.NavMode, 1);
    EXPECT_EQ(aircraft.NavCoupled, 1);
    EXPECT_EQ(aircraft.BankRefRetake, 1);
}

TEST(LateralModes, TheFdBasicModeEndsNavForTheWholeUpdate) {
    Bench b;
    aircraft.NavMode = 1;
    aircraft.FdLateralBasicMode = 1;
    aircraft.NavCoupled = 1;
    b.host.set(kMaster, 1);
    b.host.set_bits(kNavStatus, 0xc0);
    b.update();
    EXPECT_EQ(aircraft.NavMode, 0);
    EXPECT_EQ(aircraft.NavCoupled, 0);
    EXPECT_FALSE(b.host.sent(kLocHoldOn));
    b.update();
    EXPECT_EQ(aircraft.NavMode, 0);
}

TEST(LateralModes, HeadingSelectHandsTheHostTheSelectedHeading) {
    struct Row {
        double host_heading;
        double master;
        std::size_t sent;  // 0x101fa events with the selected heading
    };
    const Row rows[] = {{123, 0, 0},  {123.9, 0, 0}, {122, 0, 1}, {124, 0, 1},
                        {kNaN, 0, 1}, {123, 1, 1},   {0, 1, 2}};
    for (const Row& r : rows) {
        Bench b;
        aircraft.HeadingSelectMode = 1;
        aircraft.SelectedHeading = 123;
        b.host.set(kHostHeading, r.host_heading);
        b.host.set(kMaster, r.master);
        b.update();
        EXPECT_EQ(b.host.count(kHeadingSet), r.sent) << r.host_heading << " " << r.master;
        for (const KeyEvent& e : b.host.events()) {
            if (e.id == kHeadingSet) {
                EXPECT_EQ(e.value, 123u);
            }
        }
        EXPECT_EQ(aircraft.HeadingReference, 123);
    }
}

TEST(LateralModes, TheLocaliserEndsHeadingSelectAndIsClearedWithoutAMode) {
    Bench b;
    aircraft.HeadingSelectMode = 1;
    aircraft.LocCaptured = 1;
    aircraft.NavMode = 1;
    aircraft.ApproachMode = 20;
    b.update();
    EXPECT_EQ(aircraft.HeadingSelectMode, 0);
    EXPECT_EQ(aircraft.LocCaptured, 1);
    aircraft.NavMode = 0;
    aircraft.ApproachMode = 0;
    b.update();
    EXPECT_EQ(aircraft.LocCaptured, 0);
}

// The INS and the GPS give the heading reference; a reading that is not a
// number keeps the last one.
TEST(LateralModes, InsAndGpsHeadingReferencesStayWithinTheCircle) {
    struct Row {
        int16_t ins;
        double host_heading, gps_bearing_rad;
        int32_t reference;
    };
    const Row rows[] = {
        {1, 359.9, 0, 359}, {1, 360, 0, 0},   {1, kNaN, 0, 77},       {0, 0, -1.5707963, 270},
        {0, 0, 0.5, 28},    {0, 0, kNaN, 77}, {0, 0, 6.2831852, 359},
    };
    for (const Row& r : rows) {
        Bench b;
        aircraft.HeadingReference = 77;
        aircraft.InsCoupledValue = r.ins;
        aircraft.NavMode = r.ins ? 3 : 2;
        b.host.set(kGpsDrivesNav, 1);
        b.host.set(kHostHeading, r.host_heading);
        b.host.set(kGpsBearing, r.gps_bearing_rad);
        b.update();
        EXPECT_EQ(aircraft.HeadingReference, r.reference) << r.host_heading << " " << r.gps_bearing_rad;
        EXPECT_EQ(aircraft.NavMode, r.ins ? 3 : 2);
    }
}

TEST(HeadingPanelLights, NeedTheAnnunciatorBus) {
    Bench b;
    aircraft.NavMode = 1;
    aircraft.HeadingSelectMode = 1;
    b.update();
    EXPECT_TRUE(FakeHost::visible(kHdg, "NAV light"));
    EXPECT_TRUE(FakeHost::visible(kHdg, "HDG light"));
    aircraft.DcEssBusPowered = 0;
    b.update();
    EXPECT_FALSE(FakeHost::visible(kHdg, "NAV light"));
    EXPECT_FALSE(FakeHost::visible(kHdg, "HDG light"));
}

}  // namespace
}  // namespace kadrimos::testing
