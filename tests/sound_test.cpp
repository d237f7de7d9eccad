// The cockpit's sounds: loading at the GPWS gauge's install, release at its
// kill, volumes, loops, and a cockpit that works on without some or all of
// them. The sound card here is the Linux audio substitute, which reports
// every request; the Windows build checks only that nothing breaks.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "module/module_state.h"
#include "panel/switches.h"
#include "sound/engine.h"
#include "sound/sound_bank.h"
#include "support/fake_host.h"

#if !defined(_WIN32)
#include "platform/linux/audio_substitute.h"
#include "platform/linux/embedded_resources.h"
#include "platform/resources.h"
#endif

namespace kadrimos::testing {
namespace {

using sound::kCatalogue;
using sound::kSoundCount;
using sound::SoundName;

TEST(Sounds, KillWithoutInstallAndPlaysWithoutSoundsAreHarmless) {
    FakeHost host;
    host.service("toskelin gpws_rulo", PANEL_SERVICE_PRE_KILL);
    sound::play_once(SoundName::GONGMONO);
    sound::start_loop(SoundName::KLAXONCONT);
    sound::stop_loop(SoundName::KLAXONCONT);
    sound::master_volume_up();
    uint8_t sw = 0;
    EXPECT_TRUE(move_switch(sw, 1));
    for (sound::Sound* s : private_state.sound_bank.sounds) EXPECT_EQ(s, nullptr);
}

TEST(Sounds, InstallAndKillLeaveNoSoundBehind) {
    FakeHost host;
    host.load_sounds();
    host.service("toskelin gpws_rulo", PANEL_SERVICE_PRE_KILL);
    for (sound::Sound* s : private_state.sound_bank.sounds) EXPECT_EQ(s, nullptr);
    EXPECT_FALSE(platform::sound_device_is_open());
}

#if !defined(_WIN32)

std::vector<SoundEvent> of_kind(const FakeHost& host, const std::string& kind) {
    std::vector<SoundEvent> out;
    for (const SoundEvent& e : host.sound_events())
        if (e.kind == kind) out.push_back(e);
    return out;
}

// The last volume set on each sound, by name.
std::map<std::string, int32_t> volumes(const FakeHost& host) {
    std::map<std::string, int32_t> out;
    for (const SoundEvent& e : of_kind(host, "volume")) out[e.name] = e.value;
    return out;
}

TEST(Sounds, InstallOpensTheDeviceLoadsInCatalogueOrderThenSetsEveryVolume) {
    FakeHost host;
    host.load_sounds();
    const auto& events = host.sound_events();
    ASSERT_EQ(events.size(), 1 + 2 * kSoundCount);
    EXPECT_EQ(events[0].kind, "open");
    for (std::size_t i = 0; i < kSoundCount; ++i) {
        EXPECT_EQ(events[1 + i], (SoundEvent{"create", kCatalogue[i].name, 0}));
        EXPECT_EQ(events[1 + kSoundCount + i], (SoundEvent{"volume", kCatalogue[i].name, kCatalogue[i].initial_volume}));
    }
    EXPECT_EQ(kadrimos_audio_live_buffers(), 25);
}

TEST(Sounds, KillReleasesInReverseOrderThenTheDevice) {
    FakeHost host;
    host.load_sounds();
    host.clear_logs();
    host.service("toskelin gpws_rulo", PANEL_SERVICE_PRE_KILL);
    const auto& events = host.sound_events();
    ASSERT_EQ(events.size(), kSoundCount + 1);
    EXPECT_EQ(events[0].name, "BRAKESSND");
    EXPECT_EQ(events[kSoundCount - 1].name, "CLICK");
    EXPECT_EQ(events.back().kind, "close");
    EXPECT_EQ(kadrimos_audio_live_buffers(), 0);
}

TEST(Sounds, AnInstallRepeatedWithoutKillLoadsNothingTwice) {
    FakeHost host;
    host.load_sounds();
    host.load_sounds();
    EXPECT_EQ(of_kind(host, "create").size(), kSoundCount);
    EXPECT_EQ(kadrimos_audio_live_buffers(), 25);
}

TEST(Sounds, PlaysOnceLoopsAndStops) {
    FakeHost host;
    host.load_sounds();
    host.clear_logs();
    sound::play_once(SoundName::GONGMONO);
    sound::start_loop(SoundName::KLAXONCONT);
    sound::stop_loop(SoundName::KLAXONCONT);
    EXPECT_EQ(host.sound_events(), (std::vector<SoundEvent>{{"play", "GONGMONO", 0},
                                                            {"play", "KLAXONCONT", 1},
                                                            {"stop", "KLAXONCONT", 0}}));
}

TEST(Sounds, VolumesAreLimitedToTheCardsRange) {
    FakeHost host;
    host.load_sounds();
    host.clear_logs();
    sound::Sound* click = private_state.sound_bank.sounds[0];
    sound::set_volume(click, 500);
    sound::set_volume(click, -20000);
    sound::set_volume(click, -4321);
    auto v = of_kind(host, "volume");
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0].value, 0);
    EXPECT_EQ(v[1].value, -10000);
    EXPECT_EQ(v[2].value, -4321);
}

TEST(Sounds, TheMasterVolumeMovesEverySoundTenStepsAtMost) {
    FakeHost host;
    host.load_sounds();
    for (int i = 0; i < 10; ++i) sound::master_volume_up();
    host.clear_logs();
    sound::master_volume_up();
    EXPECT_TRUE(host.sound_events().empty()) << "an eleventh step changes nothing";
    for (int i = 0; i < 10; ++i) sound::master_volume_down();
    host.clear_logs();
    sound::master_volume_up();
    sound::master_volume_down();  // back at the load volumes, each set again
    EXPECT_EQ(volumes(host)["CLICK"], -2000);

    for (int i = 0; i < 9; ++i) sound::master_volume_up();
    sound::master_volume_up();
    EXPECT_EQ(volumes(host)["CLICK"], -1000);
    EXPECT_EQ(volumes(host)["HI"], -2100);
    for (int i = 0; i < 25; ++i) sound::master_volume_down();
    EXPECT_EQ(private_state.sound_bank.master_step, -10);
    EXPECT_EQ(volumes(host)["CLICK"], -3000);
    EXPECT_EQ(volumes(host)["HI"], -4100);
}

// Hides one embedded sound for the length of a test.
class MissingResource {
public:
    explicit MissingResource(const char* name) {
        for (std::size_t i = 0; i < platform::kEmbeddedResourceCount; ++i)
            if (std::strcmp(platform::kEmbeddedResources[i].name, name) == 0) entry_ = &platform::kEmbeddedResources[i];
        if (entry_ == nullptr) return;  // not embedded in this build at all
        saved_ = entry_->name;
        entry_->name = "(hidden by a test)";
    }
    ~MissingResource() {
        if (entry_ != nullptr) entry_->name = saved_;
    }

private:
    platform::EmbeddedResource* entry_ = nullptr;
    const char* saved_ = nullptr;
};

TEST(Sounds, WithOneSoundMissingTheOthersLoadAndPlay) {
    MissingResource wroof("WROOF");
    FakeHost host;
    host.load_sounds();
    EXPECT_EQ(of_kind(host, "create").size(), 24u);
    EXPECT_EQ(private_state.sound_bank.sounds[static_cast<std::size_t>(SoundName::WROOF)], nullptr);
    host.clear_logs();
    sound::play_once(SoundName::WROOF);
    sound::play_once(SoundName::GONGMONO);
    EXPECT_EQ(host.sound_events(), (std::vector<SoundEvent>{{"play", "GONGMONO", 0}}));
}

TEST(Sounds, AMissingResourceIsReadFromAFileOfItsName) {
    namespace fs = std::filesystem;
    fs::path dir = fs::path(::testing::TempDir()) / "kadrimos_sound_file";
    fs::create_directories(dir);
    platform::Bytes click = platform::find_resource(0, "CLICK");
    ASSERT_NE(click.data, nullptr);
    std::ofstream(dir / "CLICK", std::ios::binary)
        .write(reinterpret_cast<const char*>(click.data), static_cast<std::streamsize>(click.size));
    fs::path here = fs::current_path();
    fs::current_path(dir);
    {
        MissingResource hidden("CLICK");
        FakeHost host;
        host.load_sounds();
        EXPECT_NE(private_state.sound_bank.sounds[0], nullptr) << "loaded from the file";
    }
    fs::current_path(here);
}

TEST(Sounds, WithoutASoundCardTheCockpitWorksSilently) {
    FakeHost host;
    kadrimos_audio_fail_device(1);
    host.load_sounds();
    EXPECT_TRUE(of_kind(host, "create").empty());
    uint8_t sw = 0;
    EXPECT_TRUE(move_switch(sw, 1));
    EXPECT_EQ(sw, 1);
    EXPECT_EQ(host.plays("CLICK"), 0u);
    host.service("toskelin gpws_rulo", PANEL_SERVICE_PRE_KILL);
}

#endif  // !_WIN32

}  // namespace
}  // namespace kadrimos::testing
