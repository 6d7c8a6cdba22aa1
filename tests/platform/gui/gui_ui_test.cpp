// The windowed front end on a real (virtual) display: the background's colours, title and caption,
// pages centred with the page look, unattended runs that say what the headless front end says, the
// progress window's animation and the folder browser.
#ifdef OVRA_HAVE_GUI
#include <gtest/gtest.h>
// (gtest before FLTK: the X headers define None and Bool)
#include <FL/Fl.H>
#include <FL/Fl_Tree.H>

#include <cstdlib>
#include <set>

#include <FL/fl_draw.H>
#include "platform/gui/avi_test_data.h"
#include "platform/gui/display.h"
#include "platform/ui/gui/background_window.h"
#include "platform/ui/gui/dialog_layout.h"
#include "platform/ui/gui/dialog_window.h"
#include "platform/ui/gui/folder_browser.h"
#include "platform/ui/gui/gui_ui.h"
#include "platform/ui/gui/message_box_window.h"
#include "platform/ui/gui/progress_widgets.h"
#include "platform/ui/gui/screenshot.h"
#include "platform/ui/gui/text_convert.h"
#include "platform/ui/gui/text_viewer.h"
#include "platform/ui/gui/win_widgets.h"
#include "platform/ui/script_ui.h"
#include "resources/catalogue_help.h"
#include "resources/dialog_templates.h"
#include "support/temp_prefix.h"

namespace platform::gui {
namespace {

using testing_support::ReadHostFile;
using testing_support::TempDir;

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "RGB(" << c.r << "," << c.g << "," << c.b << ")";
}
Rgb At(const ScreenImage& s, int x, int y) {
    std::size_t i = (static_cast<std::size_t>(y) * s.width + x) * 3;
    return {s.rgb[i], s.rgb[i + 1], s.rgb[i + 2]};
}
const Rgb kBand{150, 0, 0}, kTeal{0, 128, 128}, kFace{192, 192, 192}, kShadow{128, 128, 128},
    kLight{255, 255, 255};

Answers Parse(const std::string& text) {
    Answers a;
    std::string error;
    EXPECT_TRUE(a.Parse(text, error)) << error;
    return a;
}

class GuiTest : public ::testing::Test {
  protected:
    void SetUp() override { REQUIRE_DISPLAY(); }
};

TEST_F(GuiTest, BackgroundIsBandedRedWithTheWhiteTitleAndTheCaption) {
    // A client of 301 rows below the caption bar: 100 bands of 3 rows, the last row keeps the frame's
    // colour.
    BackgroundWindow window(0, 0, 640, kCaption + 301, "Vexa 6.1 Programme d'installation \xE9");
    window.SetTitle("Kestravion Vexa 6.1\nDevelopment Suite", DT_CENTER);
    window.show();
    window.wait_for_expose();
    ScreenImage shot = CaptureScreen({});
    ASSERT_GT(shot.width, 640);
    int X = window.x(), Y = window.y() + kCaption;
    ASSERT_LE(Y + 301, shot.height);
    EXPECT_STREQ(window.label(), "Vexa 6.1 Programme d'installation \xC3\xA9");
    EXPECT_EQ(At(shot, X + 600, Y - kCaption + 2), (Rgb{0, 0, 128}));  // the caption bar, drawn by us
    EXPECT_EQ(At(shot, X + 2, Y + 2), kBand);
    EXPECT_EQ(At(shot, X + 639, Y + 299), kBand);
    EXPECT_EQ(At(shot, X + 5, Y + 300), kTeal);
    EXPECT_EQ(At(shot, X + 600, Y + 300), kTeal);
    // The title: white pixels in the top area only, centred on the client rectangle moved 10 pixels right.
    long whites = 0, sumX = 0;
    int lowest = 0;
    for (int y = 0; y < 301; ++y)
        for (int x = 0; x < 640; ++x)
            if (At(shot, X + x, Y + y) == kLight) {
                ++whites;
                sumX += x;
                lowest = y;
            }
    ASSERT_GT(whites, 2000);
    EXPECT_NEAR(static_cast<double>(sumX) / whites, 10 + 640 / 2.0, 25);
    EXPECT_GT(lowest, 10 + TitleFontPixels(96));  // two lines
    EXPECT_LT(lowest, 300);
    for (int x = 0; x < 640; ++x)
        for (int y = 0; y < 10; ++y)
            ASSERT_NE(At(shot, X + x, Y + y), kLight)
                << "title above its 10-pixel offset at " << x << "," << y;
    window.hide();
    Fl::check();
}

TEST_F(GuiTest, TitlesFitTheScreenInTheSerifWithTheOriginalMetrics) {
    struct Row {
        const char* title;
        UINT format;
    };
    int sw = 0, sh = 0, sx = 0, sy = 0;
    Fl::screen_xywh(sx, sy, sw, sh, 0);
    if (sw != 1024 || sh != 768) GTEST_SKIP() << "the screen is not 1024x768";
    for (const Row& row : {Row{"Kestravion Vexa 6.1\nDevelopment Suite", DT_CENTER},
                           Row{"Vexa 6.1\nDevelopment Suite Release", DT_CENTER},
                           Row{"Kestravion Vexa 6.1\nDevelopment Suite for LPC", DT_CENTER | DT_WORDBREAK},
                           Row{"Vexa 6.1\nDevelopment Suite Release for LPC", DT_CENTER | DT_WORDBREAK}}) {
        BackgroundWindow window(0, 0, sw, sh, "Vexa 6.1 Installation Program");
        window.SetTitle(row.title, row.format);
        window.show();
        window.wait_for_expose();
        Fl::flush();
        ScreenImage shot = CaptureScreen({});
        int left = sw, right = -1, bottom = -1;
        for (int y = kCaption; y < sh; ++y)
            for (int x = 0; x < sw; ++x)
                if (At(shot, x, y) == kLight) {
                    left = std::min(left, x), right = std::max(right, x), bottom = std::max(bottom, y);
                }
        // Centred on the client moved 10 pixels right, and nothing cut at the screen's edge.
        EXPECT_GT(left, 10) << row.title;
        EXPECT_LT(right, sw - 2) << row.title;
        EXPECT_NEAR((left + right) / 2.0, 10 + sw / 2.0, 6) << row.title;
        EXPECT_LT(bottom, sh / 2) << row.title;
        window.hide();
        Fl::check();
    }
}

TEST_F(GuiTest, DialogFontHasTheLayoutsBaseUnitsAndTemplateLabelsFitTheirControls) {
    UseSystemLook();
    int bx = 0, by = 0;
    DialogBaseUnits(bx, by);
    EXPECT_EQ(bx, kBaseUnitX);
    EXPECT_EQ(by, kBaseUnitY);
    fl_font(FL_HELVETICA, kDialogFontSize);
    for (int id : {1, 2, 3, 5, 6, 7, 8, 12, 14, 15}) {
        const DialogTemplate* t = resources::FindDialogTemplate(id);
        ASSERT_NE(t, nullptr) << id;
        for (const auto& c : t->controls) {
            if (!c.text || !*c.text || c.cls == ControlClass::Edit || c.cls == ControlClass::ListBox)
                continue;
            std::string label = AnsiToUtf8(StripMnemonics(c.text));
            int w = DuToPixelsX(c.cx), h = DuToPixelsY(c.cy);
            DWORD kind = c.style & BS_TYPEMASK;
            bool button = c.cls == ControlClass::Button && kind != BS_GROUPBOX;
            int room = button ? w - (kind == BS_AUTORADIOBUTTON ? 16 : 4) : w;
            int lw = room, lh = 0;
            fl_measure(label.c_str(), lw, lh, 0);
            EXPECT_LE(lw, room) << "template " << id << " control " << c.id << " \"" << c.text << "\"";
            if (!button) {
                EXPECT_LE(lh, h) << "template " << id << " control " << c.id << " \"" << c.text << "\"";
            }
        }
    }
}

// A page whose Next looks at the screen before it ends the dialog.
class ProbePage : public Dialog {
  public:
    explicit ProbePage(const DialogTemplate& t, GuiUi& ui, int picture)
        : Dialog(t), ui_(ui), picture_(picture) {}
    int PictureId() const override { return picture_; }
    void Command(int id) override {
        if (DialogWindow* w = ui_.WindowOf(*this)) {
            shot = CaptureScreen({});
            x = w->x(), y = w->y(), w_ = w->w(), h = w->h();
            nameText = w->WidgetFor(201) ? GetDlgItemText(201) : "";
        }
        if (id == 102) EndDialog(IDOK);
    }
    ScreenImage shot;
    int x = 0, y = 0, w_ = 0, h = 0;
    std::string nameText;

  private:
    GuiUi& ui_;
    int picture_;
};

const DialogTemplate kTestPage = {
    6,
    150,
    115,
    299,
    145,
    WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT,
    "User Information",
    "MS Sans Serif",
    8,
    {{110, ControlClass::Static, WS_VISIBLE, 110, 18, 185, 20, "Type the user name:"},
     {201, ControlClass::Edit, WS_VISIBLE | WS_BORDER | WS_TABSTOP, 160, 43, 130, 13, "", 8},
     {106, ControlClass::Button, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 210, 66, 60, 12,
      "English"},
     {107, ControlClass::Button, WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON, 210, 81, 60, 12, "French"},
     {102, ControlClass::Button, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 140, 128, 40, 14, "&Next"},
     {101, ControlClass::Button, WS_VISIBLE | WS_TABSTOP | WS_DISABLED, 100, 128, 40, 14, "&Back"}}};

TEST_F(GuiTest, PagesAreCentredAndPaintedWithEdgesSeparatorFrameAndPicture) {
    Transcript transcript;
    GuiUi ui(Parse("name=Ada Lovelace\n"), transcript, GuiOptions{true, "", {}});
    ProbePage page(kTestPage, ui, 6);
    EXPECT_EQ(ui.DialogBoxModal(nullptr, page), IDOK);
    int sw = 0, sh = 0, sx = 0, sy = 0;
    Fl::screen_xywh(sx, sy, sw, sh, 0);
    Rect want = CentredClient(DuToPixelsX(299), DuToPixelsY(145), sw, sh);
    EXPECT_EQ(page.x, want.x);
    EXPECT_EQ(page.y, want.y);
    ASSERT_EQ(page.w_, DuToPixelsX(299));
    ASSERT_EQ(page.h, DuToPixelsY(145));
    // The answers were typed into the real edit, cut to its limit of 7 characters.
    EXPECT_EQ(page.nameText, "Ada Lov");
    const ScreenImage& s = page.shot;
    ASSERT_GT(s.width, 0);
    int X = page.x, Y = page.y, W = page.w_, H = page.h;
    int BW = 130 + 10, BH = 160 + 14;
    EXPECT_EQ(At(s, X + 5, Y + 0), kLight);          // top edge
    EXPECT_EQ(At(s, X + 0, Y + 5), kLight);          // left edge
    EXPECT_EQ(At(s, X + 5, Y + H - 1), kShadow);     // bottom edge
    EXPECT_EQ(At(s, X + W - 1, Y + 5), kShadow);     // right edge
    EXPECT_EQ(At(s, X + 10, Y + H - 60), kShadow);   // separator
    EXPECT_EQ(At(s, X + 10, Y + H - 59), kLight);    // its light line
    EXPECT_EQ(At(s, X + 8, Y + H - 30), kFace);      // button face below
    EXPECT_EQ(At(s, X + 15 + 50, Y + 20), kShadow);  // picture frame top
    EXPECT_EQ(At(s, X + 15, Y + 100), kShadow);      // and left
    EXPECT_EQ(At(s, X + 60, Y + BH + 19), kLight);   // bottom
    EXPECT_EQ(At(s, X + BW + 14, Y + 100), kLight);  // right
    EXPECT_EQ(At(s, X + 17, Y + 25), kFace);         // gap between frame and picture
    auto picture = RenderPagePicture(6);
    for (int py : {0, 50, 159})
        for (int px : {0, 64, 129}) {
            std::size_t i = (static_cast<std::size_t>(py) * 130 + px) * 3;
            EXPECT_EQ(At(s, X + 20 + px, Y + 27 + py),
                      (Rgb{picture->rgb[i], picture->rgb[i + 1], picture->rgb[i + 2]}))
                << px << "," << py;
        }
}

// A dialog whose Next refuses once (with a message box) and then ends; used to compare front ends.
class RefusingPage : public Dialog {
  public:
    using Dialog::Dialog;
    void Command(int id) override {
        if (id == 102 && ++nexts_ == 1) {
            Current().ui->NoteMessageId(1062);
            Current().ui->MessageBoxExA(Handle(), "Invalid input", "Setup", MB_ICONEXCLAMATION, 0);
            SetDlgItemText(110, "Try again");
            return;
        }
        if (id == 102) EndDialog(IDOK);
        if (id == 101) EndDialog(IDCANCEL);
    }

  private:
    int nexts_ = 0;
};

std::string RunThrough(UiApi& ui, const std::string& answers) {
    (void)answers;
    ScopedServices scope(Services{nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &ui});
    ui.CreateMainWindow("Vexa 6.1 Installation Program");
    ui.SetBackgroundTitle("Kestravion Vexa 6.1\nDevelopment Suite", DT_CENTER);
    RefusingPage page(kTestPage);
    ui.DialogBoxModal(ui.MainWindow(), page);
    ui.NoteMessageId(1087);
    ui.MessageBoxExA(ui.MainWindow(), "Question?", "Setup", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, 0);
    ui.WinHelpA(ui.MainWindow(), "C:\\MEDIA\\INSTALL.HLP", HELP_CONTEXT, 6);
    std::string folder;
    ui.BrowseForFolder(nullptr, "Select Setup Directory for OVRA", folder);
    ui.Trace("decision " + folder);
    return folder;
}

TEST_F(GuiTest, UnattendedRunWritesTheSameTranscriptAsTheHeadlessFrontEnd) {
    const std::string answers = "name=Grace\nbrowse=D:\\Kits\nanswer.1087=yes\n";
    TempDir dir;
    Transcript scriptTranscript, guiTranscript;
    ASSERT_TRUE(scriptTranscript.Open(dir.path() + "/script.txt"));
    ASSERT_TRUE(guiTranscript.Open(dir.path() + "/gui.txt"));
    ScriptUi script(Parse(answers), scriptTranscript);
    EXPECT_EQ(RunThrough(script, answers), "D:\\Kits");
    {
        GuiUi gui(Parse(answers), guiTranscript, GuiOptions{true, dir.path(), {}});
        EXPECT_EQ(RunThrough(gui, answers), "D:\\Kits");
        std::vector<std::string> names;
        for (const auto& p : gui.screenshots())
            names.push_back(p.substr(p.rfind('/') + 1));
        EXPECT_EQ(names,
                  (std::vector<std::string>{"001-page-6.png", "002-message-1062.png", "003-message-1087.png",
                                            "004-help-6.png", "005-browse.png"}));
    }
    std::string expected = ReadHostFile(dir.path() + "/script.txt");
    EXPECT_NE(expected.find("edit 201 \"Grace\""), std::string::npos) << expected;
    EXPECT_NE(expected.find("press 102"), std::string::npos);
    EXPECT_NE(expected.find("answer=Yes"), std::string::npos);
    EXPECT_EQ(ReadHostFile(dir.path() + "/gui.txt"), expected);
}

TEST_F(GuiTest, MessageBoxButtonsFollowTheStyle) {
    struct Row {
        UINT type;
        std::vector<int> buttons;
        int def;
    };
    for (const Row& row : {Row{MB_OK | MB_ICONEXCLAMATION, {IDOK}, IDOK},
                           Row{MB_OKCANCEL | MB_ICONEXCLAMATION, {IDOK, IDCANCEL}, IDOK},
                           Row{MB_YESNO | MB_ICONQUESTION, {IDYES, IDNO}, IDYES},
                           Row{MB_YESNO | MB_DEFBUTTON2, {IDYES, IDNO}, IDNO},
                           Row{MB_YESNOCANCEL | MB_ICONHAND, {IDYES, IDNO, IDCANCEL}, IDYES}}) {
        EXPECT_EQ(MessageBoxWindow::ButtonsOf(row.type), row.buttons) << row.type;
        EXPECT_EQ(MessageBoxWindow::DefaultOf(row.type), row.def) << row.type;
        MessageBoxWindow box("Text", "Caption", row.type);
        EXPECT_FALSE(box.Press(IDRETRY));
        EXPECT_EQ(box.answer(), 0);
        EXPECT_TRUE(box.Press(row.buttons.back()));
        EXPECT_EQ(box.answer(), row.buttons.back());
    }
}

const DialogTemplate kProgress = {14,
                                  0,
                                  0,
                                  319,
                                  126,
                                  WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT,
                                  "Installing",
                                  "MS Sans Serif",
                                  8,
                                  {{300, ControlClass::Animation, WS_VISIBLE | WS_BORDER, 11, 4, 72, 90, ""},
                                   {104, ControlClass::Static, WS_VISIBLE | SS_CENTER, 93, 18, 191, 18, ""},
                                   {209, ControlClass::Gauge, WS_VISIBLE, 20, 102, 276, 18, ""}}};

TEST_F(GuiTest, ProgressWindowPlaysTheAnimationInALoopAndShowsTheGauge) {
    std::vector<std::uint8_t> palette = {0, 0, 0, 255, 0, 0, 0, 255, 0};
    std::string avi = testing_support::MakeAvi(
        8, 8, palette, {{false, std::string(64, '\1')}, {false, std::string(64, '\2')}}, false, 20000);
    HostFiles files;
    std::vector<std::string> asked;
    files.readFile = [&](const std::string& path) -> std::optional<std::string> {
        asked.push_back(path);
        if (path == "C:\\MEDIA\\INSTALL.AVI") return avi;
        return std::nullopt;
    };
    Transcript transcript;
    GuiUi ui(Answers{}, transcript, GuiOptions{true, "", files});
    Dialog progress(kProgress);
    progress.SetDlgItemText(300, "C:\\MEDIA\\INSTALL.AVI");
    ui.ModelessShow(progress);
    DialogWindow* window = ui.WindowOf(progress);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(asked, std::vector<std::string>{"C:\\MEDIA\\INSTALL.AVI"});
    auto* box = dynamic_cast<AnimationBox*>(window->WidgetFor(300));
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(box->playing());
    std::set<int> seen;
    for (int i = 0; i < 60 && seen.size() < 2; ++i) {
        Fl::wait(0.02);
        seen.insert(box->frame());
    }
    EXPECT_EQ(seen, (std::set<int>{0, 1}));
    progress.Find(209)->value = 250;
    progress.SetDlgItemText(104, "Copying the file :\nC:\\OVRA\\BIN\\A.DLL");
    ui.ModelessUpdate(progress);
    EXPECT_EQ(dynamic_cast<SegmentedGauge*>(window->WidgetFor(209))->value(), 100);
    ui.ModelessDestroy(progress);
    EXPECT_EQ(ui.WindowOf(progress), nullptr);

    // Without the file the window still works, with an empty animation.
    Dialog second(kProgress);
    second.SetDlgItemText(300, "C:\\MEDIA\\MISSING.AVI");
    ui.ModelessShow(second);
    auto* empty = dynamic_cast<AnimationBox*>(ui.WindowOf(second)->WidgetFor(300));
    EXPECT_FALSE(empty->playing());
    ui.ModelessDestroy(second);
}

TEST_F(GuiTest, HelpOpensThePagesTopicInTheHelpFilesLanguageAndNeverAHostPath) {
    struct Row {
        const char* helpFile;
        DWORD context;
        const char* title;  // UTF-8
    };
    for (const Row& row : {Row{"Z:\\home\\ann\\media\\INSTALL.HLP", 7, "Destination location"},
                           Row{"Z:\\home\\ann\\media\\instfr.hlp", 7, "R\xC3\xA9pertoire d'installation"},
                           Row{"Z:\\home\\ann\\media\\INSTALL.HLP", 6, "User information"}}) {
        Transcript transcript;
        GuiUi ui(Answers{}, transcript, GuiOptions{false, "", {}});
        ui.CreateMainWindow("Vexa 6.1 Installation Program");
        EXPECT_TRUE(ui.WinHelpA(ui.MainWindow(), row.helpFile, HELP_CONTEXT, row.context));
        std::vector<Fl_Window*> open = ui.Viewers();
        ASSERT_EQ(open.size(), 1u) << row.helpFile;
        EXPECT_STREQ(open[0]->label(), row.title);
        EXPECT_NE(ui.FrameOf(open[0]), nullptr) << "drawn inside the background";
        // The page's own topic, and never the help file's host path.
        auto topic = catalogue::FindHelpTopic(row.context, catalogue::IsFrenchHelpFile(row.helpFile));
        ASSERT_TRUE(topic);
        auto* viewer = dynamic_cast<TextViewerWindow*>(open[0]);
        ASSERT_NE(viewer, nullptr);
        EXPECT_EQ(viewer->text(), AnsiToUtf8(topic->text));
        EXPECT_EQ(viewer->text().find("\\home\\"), std::string::npos);
        EXPECT_EQ(std::string(open[0]->label()).find("HLP"), std::string::npos);
        // Escape on the top window closes the viewer.
        open[0]->do_callback();
        EXPECT_TRUE(ui.Viewers().empty());
    }
}

TEST_F(GuiTest, FolderBrowserListsTheDrivesFoldersWhenABranchOpens) {
    HostFiles files;
    files.drives = [] { return std::vector<std::string>{"C:\\", "Z:\\"}; };
    std::vector<std::string> listed;
    files.listFolders = [&](const std::string& dir) {
        listed.push_back(dir);
        if (dir == "C:\\") return std::vector<std::string>{"Program Files", "Tools"};
        return std::vector<std::string>{};
    };
    FolderBrowserWindow browser("Select Setup Directory for OVRA", files);
    Fl_Tree* tree = nullptr;
    for (int i = 0; i < browser.children() && !tree; ++i)
        tree = dynamic_cast<Fl_Tree*>(browser.child(i));
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE(listed.empty());  // nothing is listed before it is opened
    Fl_Tree_Item* c = tree->find_item("C:");
    ASSERT_NE(c, nullptr);
    tree->open(c, 1);
    EXPECT_EQ(listed, std::vector<std::string>{"C:\\"});
    Fl_Tree_Item* tools = tree->find_item("C:/Tools");
    ASSERT_NE(tools, nullptr);
    EXPECT_EQ(browser.PathOf(tools), "C:\\Tools");
    EXPECT_EQ(browser.PathOf(c), "C:\\");
    tree->select(tools, 0);
    EXPECT_FALSE(browser.done());
}

}  // namespace
}  // namespace platform::gui
#endif  // OVRA_HAVE_GUI
