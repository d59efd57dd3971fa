#include "shell/application.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "geometry/build_constants.h"
#include "platform/crt_random.h"
#include "platform/process_globals.h"
#include "tests/shell/fake_scene.h"
#include "tests/shell/fake_shell_platform.h"
#include "tests/support/recording_message_box.h"

namespace {

using testing_support::RecordingMessageBox;

using shell::EventKind;

shell::Event Message(EventKind kind, uint32_t key = 0) { return {kind, key}; }
shell::Event KeyDown(uint32_t key) { return {EventKind::KeyDown, key}; }
shell::Event KeyUp(uint32_t key) { return {EventKind::KeyUp, key}; }

constexpr uint32_t VkK = 'K';
constexpr uint32_t VkA = 'A';
constexpr uint32_t VkSpace = ' ';

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override { ClearGlobals(); }
    void TearDown() override { ClearGlobals(); }

    static void ClearGlobals() {
        Direct3DObject = nullptr;
        GraphicsDevice = nullptr;
        BackdropVertexBuffer = nullptr;
        AudioEngine = nullptr;
        MasteringVoice = nullptr;
    }

    // Runs the program and keeps what it wrote on stderr.
    int Run() {
        ::testing::internal::CaptureStderr();
        const int status = App.Run();
        Stderr = ::testing::internal::GetCapturedStderr();
        return status;
    }

    bool Logged(const std::string& entry) const {
        return std::find(Log.begin(), Log.end(), entry) != Log.end();
    }
    int CountLogged(const std::string& entry) const {
        return static_cast<int>(std::count(Log.begin(), Log.end(), entry));
    }
    // The log up to the window being shown, and what came after it up to the window's end.
    std::vector<std::string> StartupLog() const { return {Log.begin(), ShowPosition()}; }
    std::vector<std::string> LoopLog() const {
        return {ShowPosition(), std::find(ShowPosition(), Log.cend(), "DestroyWindow")};
    }
    std::vector<std::string>::const_iterator ShowPosition() const {
        const auto shown = std::find(Log.begin(), Log.end(), "ShowWindow");
        return shown == Log.end() ? shown : shown + 1;
    }

    void EndShowAfter(int frames) {
        for (int i = 0; i < frames; ++i) {
            Scene.Frames.push_back({S_OK, true});
        }
        Scene.Frames.push_back({E_FAIL, true});
        Scene.Finished = true;
    }

    std::vector<std::string> Log;
    RecordingMessageBox Boxes;
    FakeShellPlatform Platform{Log};
    FakeScene Scene{Log};
    Application App{Platform, Scene, Scene};
    std::string Stderr;
};

// --- Start-up -----------------------------------------------------------------------------------

TEST_F(ApplicationTest, StartsInOrderAndShowsTheWindowOnceAfterTheResources) {
    EndShowAfter(0);
    EXPECT_EQ(Run(), 0);
    const std::vector<std::string> expected{
        "CreateWindow", "CreateGraphicsSystem", "CreateDevice", "CreateAudioEngine",
        "InitAudio",    "InitResources",        "ShowWindow"};
    EXPECT_EQ(StartupLog(), expected);
    EXPECT_EQ(Platform.ShowCount, 1);
    EXPECT_EQ(Platform.ShownWindow, Platform.Window());
    EXPECT_TRUE(Boxes.Boxes.empty());
    EXPECT_EQ(Stderr, "");
}

TEST_F(ApplicationTest, CreatesTheDeviceForTheWindowWithItsSizeAndTheFixedRenderStates) {
    ASSERT_EQ(App.StartUp(), std::nullopt);
    const gfx::PresentParameters& parameters = Platform.Graphics.Parameters;
    EXPECT_EQ(Platform.Graphics.Window, Platform.Window());
    EXPECT_EQ(parameters.BackBufferWidth, 960u);
    EXPECT_EQ(parameters.BackBufferHeight, 92u);
    EXPECT_TRUE(parameters.Windowed);
    EXPECT_TRUE(parameters.EnableAutoDepthStencil);
    EXPECT_EQ(parameters.PresentationInterval, 0u);
    EXPECT_EQ(Direct3DObject, &Platform.Graphics);
    EXPECT_EQ(GraphicsDevice, &Platform.Graphics.Device);

    // The nine states, in order, before anything else reaches the device.
    std::vector<std::vector<uint32_t>> states;
    for (const auto& call : Platform.Graphics.Device.Calls) {
        if (call.Name == "SetRenderState") {
            states.push_back(call.Arguments);
        }
    }
    const std::vector<std::vector<uint32_t>> expected{{22, 2}, {137, 1}, {7, 1},  {14, 1}, {23, 4},
                                                      {27, 1}, {19, 5},  {20, 6}, {171, 1}};
    EXPECT_EQ(states, expected);
    EXPECT_EQ(Platform.Graphics.Device.Calls.front().Name, "SetRenderState");
}

TEST_F(ApplicationTest, SetsTheAudioEngineAndItsMasteringVoice) {
    EndShowAfter(0);
    ASSERT_EQ(Run(), 0);
    EXPECT_EQ(AudioEngine, &Platform.Audio);
    EXPECT_EQ(MasteringVoice, &Platform.Audio.Mastering);
}

TEST_F(ApplicationTest, NoDisplayEndsBeforeAnythingElseWithOneLine) {
    Platform.WindowError = "no display (is DISPLAY set?)";
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Log, std::vector<std::string>{"CreateWindow"});
    EXPECT_EQ(Stderr, "banner: no display (is DISPLAY set?)\n");
}

TEST_F(ApplicationTest, UnusableGraphicsShowsTheCreatingBoxAndNothingMore) {
    Platform.GraphicsAvailable = false;
    EXPECT_EQ(Run(), 1);
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_EQ(Boxes.Boxes[0].Text, "Direct3D Creating Error - Program Exiting");
    EXPECT_EQ(Boxes.Boxes[0].Caption, "Init Error");
    EXPECT_EQ(Stderr, "");  // the box wrote the one line
    EXPECT_FALSE(Logged("CreateAudioEngine"));
    EXPECT_EQ(Platform.ShowCount, 0);
}

TEST_F(ApplicationTest, AFailedDeviceShowsTheDeviceBox) {
    Platform.Graphics.DeviceResult = E_FAIL;
    EXPECT_EQ(Run(), 1);
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_EQ(Boxes.Boxes[0].Text, "Direct3D Device Creating Error - Program Exiting");
    EXPECT_EQ(Boxes.Boxes[0].Caption, "Init Error");
    EXPECT_EQ(Stderr, "");
    EXPECT_FALSE(Logged("CreateAudioEngine"));
    EXPECT_EQ(Platform.ShowCount, 0);
    EXPECT_TRUE(Platform.Graphics.Device.Calls.empty());
}

TEST_F(ApplicationTest, AudioFailuresShowNoBoxButOneLine) {
    for (const bool engineFails : {true, false}) {
        SCOPED_TRACE(engineFails ? "engine" : "mastering voice");
        Log.clear();
        Platform.AudioResult = engineFails ? E_FAIL : S_OK;
        Platform.Audio.MasteringResult = engineFails ? S_OK : E_FAIL;
        Application app(Platform, Scene, Scene);
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(app.Run(), 1);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  "banner: no audio output: no audio device here\n");
        EXPECT_TRUE(Boxes.Boxes.empty());
        EXPECT_FALSE(Logged("InitAudio"));
        EXPECT_EQ(Platform.ShowCount, 0);
    }
}

TEST_F(ApplicationTest, AFailedMusicVoiceEndsWithOneLineAndNoResources) {
    Scene.InitAudioResult = static_cast<HRESULT>(0x88960001u);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Stderr, "banner: cannot create the music voice (0x88960001)\n");
    EXPECT_TRUE(Boxes.Boxes.empty());
    EXPECT_FALSE(Logged("InitResources"));
    EXPECT_EQ(Platform.ShowCount, 0);
}

TEST_F(ApplicationTest, FailedResourcesLeaveTheirBoxAsTheOnlyReport) {
    Scene.InitResourcesResult = E_FAIL;
    Scene.InitResourcesBox = "Texture Loading Error - Program Exiting";
    EXPECT_EQ(Run(), 1);
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_EQ(Stderr, "");
    EXPECT_EQ(Platform.ShowCount, 0);
    EXPECT_FALSE(Logged("RenderFrame"));
    // The hidden window goes, and the device with it.
    const std::vector<std::string> end(Log.end() - 2, Log.end());
    EXPECT_EQ(end, (std::vector<std::string>{"DestroyWindow", "ReleaseGraphicsSystem"}));
    EXPECT_EQ(Platform.Graphics.Device.ReleaseCount, 1);
}

TEST_F(ApplicationTest, ABoxThatLetsTheProgramContinueDoesNotStandForTheFailure) {
    Scene.InitResourcesResult = E_FAIL;
    Scene.InitResourcesBox = "Gear Error - Program continuing";
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Stderr, "banner: cannot create the scene's resources (0x80004005)\n");
    EXPECT_EQ(Platform.ShowCount, 0);
}

// --- The loop -----------------------------------------------------------------------------------

TEST_F(ApplicationTest, TheEndOfTheShowDestroysTheWindowAndReleasesTheGraphicsThenExitsZero) {
    EndShowAfter(5);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(CountLogged("RenderFrame"), 6);
    // As Escape does: nothing is left for the process's exit to take down.
    const std::vector<std::string> end(Log.end() - 3, Log.end());
    EXPECT_EQ(end, (std::vector<std::string>{"RenderFrame", "DestroyWindow",
                                             "ReleaseGraphicsSystem"}));
    EXPECT_EQ(Platform.Graphics.Device.ReleaseCount, 1);
    EXPECT_TRUE(Platform.Graphics.DeviceReleasedFirst);
    EXPECT_EQ(GraphicsDevice, nullptr);
    EXPECT_EQ(Stderr, "");
}

TEST_F(ApplicationTest, AFailedFrameExitsOneWithOneLine) {
    Scene.Frames.push_back({S_OK, true});
    Scene.Frames.push_back({static_cast<HRESULT>(0x88960001u), false});
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(Stderr, "banner: a frame failed (0x88960001)\n");
}

TEST_F(ApplicationTest, WaitsForMessagesOnlyAfterTurnsThatDrewNothing) {
    Scene.Frames = {{S_OK, true}, {S_OK, false}, {S_OK, true}, {S_OK, false}, {S_OK, false}};
    EndShowAfter(0);
    ASSERT_EQ(Run(), 0);
    const std::vector<std::string> loop = LoopLog();
    const std::vector<std::string> expected{"RenderFrame", "RenderFrame",       "WaitForMessage(1)",
                                            "RenderFrame", "RenderFrame",       "WaitForMessage(1)",
                                            "RenderFrame", "WaitForMessage(1)", "RenderFrame"};
    EXPECT_EQ(loop, expected);
}

TEST_F(ApplicationTest, EventsAreHandledBeforeTheNextFrame) {
    Platform.QueueEvent(Message(EventKind::Other));
    Platform.QueueEvent(KeyDown(shell::VkL));
    Platform.QueueIdleTurn();
    Platform.QueueEvent(KeyUp(shell::VkL));
    EndShowAfter(2);
    ASSERT_EQ(Run(), 0);
    const std::vector<std::string> loop = LoopLog();
    const std::vector<std::string> expected{"SetLightsOn(true)", "RenderFrame", "RenderFrame",
                                            "RenderFrame"};
    EXPECT_EQ(loop, expected);
}

// --- Closing ------------------------------------------------------------------------------------

TEST_F(ApplicationTest, EscapeReleasesTheGraphicsThenEndsTheLoopWithZero) {
    Platform.QueueIdleTurn();
    Platform.QueueIdleTurn();
    Platform.QueueEvent(KeyDown(shell::VkEscape));
    Platform.QueueIdleTurn();
    Platform.QueueEvent(KeyDown(shell::VkL));
    EXPECT_EQ(Run(), 0);

    const testing_support::RecordingDevice& device = Platform.Graphics.Device;
    ASSERT_EQ(device.VertexBuffers().size(), 1u);
    EXPECT_EQ(device.VertexBuffers()[0]->ReleaseCount, 1);  // the backdrop
    EXPECT_EQ(device.ReleaseCount, 1);
    EXPECT_EQ(Platform.Graphics.ReleaseCount, 1);
    EXPECT_TRUE(Platform.Graphics.DeviceReleasedFirst);
    EXPECT_EQ(BackdropVertexBuffer, nullptr);
    EXPECT_EQ(GraphicsDevice, nullptr);
    EXPECT_EQ(Direct3DObject, nullptr);

    // Nothing ran after the Escape: no frame, no further event.
    EXPECT_EQ(CountLogged("RenderFrame"), 2);
    EXPECT_EQ(device.CountCalls("Clear"), 2);
    EXPECT_EQ(Scene.FramesWithoutDevice, 0);
    EXPECT_EQ(Platform.Events.size(), 2u);
    EXPECT_FALSE(Logged("SetLightsOn(true)"));
    EXPECT_EQ(Stderr, "");
}

TEST_F(ApplicationTest, TheWindowManagersCloseRequestEndsLikeEscape) {
    for (const shell::Event& close : {Message(EventKind::CloseRequest), Message(EventKind::Quit)}) {
        ClearGlobals();
        Platform.Graphics.Device.ReleaseCount = 0;
        Platform.Graphics.ReleaseCount = 0;
        Platform.Events.clear();
        Platform.QueueIdleTurn();
        Platform.QueueEvent(close);
        Platform.QueueIdleTurn();
        Application app(Platform, Scene, Scene);
        EXPECT_EQ(app.Run(), 0);
        EXPECT_EQ(Platform.Graphics.Device.ReleaseCount, 1);
        EXPECT_EQ(Platform.Graphics.ReleaseCount, 1);
        EXPECT_EQ(Platform.Events.size(), 1u);
    }
}

TEST_F(ApplicationTest, OtherWindowEventsDoNotClose) {
    Platform.QueueEvent(Message(EventKind::Other));
    Platform.QueueEvent(Message(EventKind::Other));
    Platform.QueueEvent(KeyUp(shell::VkEscape));
    EndShowAfter(1);
    EXPECT_EQ(Run(), 0);
    // Every frame ran, and the window went only at the show's end.
    EXPECT_EQ(CountLogged("RenderFrame"), 2);
    EXPECT_EQ(CountLogged("DestroyWindow"), 1);
}

TEST_F(ApplicationTest, ASecondCloseReleasesNothingAgain) {
    EndShowAfter(0);
    ASSERT_EQ(Run(), 0);
    App.WindowProc(Message(EventKind::CloseRequest));
    App.WindowProc(Message(EventKind::Quit));
    App.WindowProc(KeyDown(shell::VkEscape));
    EXPECT_EQ(Platform.Graphics.Device.ReleaseCount, 1);
    EXPECT_EQ(Platform.Graphics.ReleaseCount, 1);
}

// --- The window procedure -----------------------------------------------------------------------

TEST_F(ApplicationTest, EveryEventRestartsTheRandomSequence) {
    for (const shell::Event& event :
         {Message(EventKind::Other), Message(EventKind::Other), KeyDown(VkA), KeyUp(VkA)}) {
        crt::srand(12345);
        crt::rand();
        App.WindowProc(event);
        EXPECT_EQ(crt::rand(), 38) << "event kind " << static_cast<int>(event.Kind);
    }
}

TEST_F(ApplicationTest, TheWindowsCreationRestartsTheSequenceBeforeTheResourcesAreMade) {
    crt::srand(12345);
    crt::rand();
    EndShowAfter(0);
    ASSERT_EQ(Run(), 0);
    EXPECT_EQ(Scene.RandomAtResources, 38);
}

TEST_F(ApplicationTest, TheSequenceIsRestartedBeforeTheKeyIsHandled) {
    crt::srand(777);
    App.WindowProc(KeyDown(shell::VkL));
    ASSERT_EQ(Scene.RandomAtToggle.size(), 1u);
    EXPECT_EQ(Scene.RandomAtToggle[0], 38);
}

TEST_F(ApplicationTest, HoldingLTogglesOnceAndAPressAfterReleaseTogglesBack) {
    App.WindowProc(KeyDown(shell::VkL));
    for (int repeat = 0; repeat < 30; ++repeat) {
        App.WindowProc(KeyDown(shell::VkL));
    }
    EXPECT_EQ(Log, std::vector<std::string>{"SetLightsOn(true)"});
    App.WindowProc(KeyUp(shell::VkL));
    App.WindowProc(KeyDown(shell::VkL));
    App.WindowProc(KeyDown(shell::VkL));
    EXPECT_EQ(Log, (std::vector<std::string>{"SetLightsOn(true)", "SetLightsOn(false)"}));
    EXPECT_FALSE(Scene.LightsOn);
}

TEST_F(ApplicationTest, OtherKeysLeaveTheLatchAlone) {
    // While 'L' is held, other keys going down or up do not release the latch.
    App.WindowProc(KeyDown(shell::VkL));
    App.WindowProc(KeyDown(VkK));
    App.WindowProc(KeyUp(VkK));
    App.WindowProc(KeyUp(VkSpace));
    App.WindowProc(KeyDown(shell::VkL));
    EXPECT_EQ(Log, std::vector<std::string>{"SetLightsOn(true)"});
    // Once released, other keys do not press it either.
    App.WindowProc(KeyUp(shell::VkL));
    App.WindowProc(KeyDown(VkK));
    App.WindowProc(KeyUp(VkK));
    EXPECT_EQ(Log, std::vector<std::string>{"SetLightsOn(true)"});
}

TEST_F(ApplicationTest, SystemKeysAreTheSystemsAndLeaveLightsLatchAndWindowAlone) {
    // Alt+L and Alt+Escape.
    App.WindowProc(Message(EventKind::SystemKeyDown, shell::VkL));
    App.WindowProc(Message(EventKind::SystemKeyUp, shell::VkL));
    App.WindowProc(Message(EventKind::SystemKeyDown, shell::VkEscape));
    EXPECT_TRUE(Log.empty());
    EXPECT_FALSE(App.QuitRequested());
    // Releasing 'L' with Alt held does not release the latch.
    App.WindowProc(KeyDown(shell::VkL));
    App.WindowProc(Message(EventKind::SystemKeyUp, shell::VkL));
    App.WindowProc(KeyDown(shell::VkL));
    EXPECT_EQ(Log, std::vector<std::string>{"SetLightsOn(true)"});
}

TEST_F(ApplicationTest, TheToggleFollowsTheScenesOwnLightState) {
    // The timeline may have switched the light since the last press.
    Scene.LightsOn = true;
    App.WindowProc(KeyDown(shell::VkL));
    EXPECT_EQ(Log, std::vector<std::string>{"SetLightsOn(false)"});
}

// A scene without a box always reads as dark, so every new press asks for light.
TEST_F(ApplicationTest, WithoutABoxEveryPressAsksForLightOn) {
    struct NoBox final : LightSwitch {
        void SetLightsOn(bool on) override { Asked.push_back(on); }
        bool AreLightsOn() const override { return false; }
        std::vector<bool> Asked;
    } lights;
    Application app(Platform, Scene, lights);
    for (int press = 0; press < 3; ++press) {
        app.WindowProc(KeyDown(shell::VkL));
        app.WindowProc(KeyUp(shell::VkL));
    }
    EXPECT_EQ(lights.Asked, (std::vector<bool>{true, true, true}));
}

}  // namespace
