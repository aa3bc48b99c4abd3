"""Every skinned window: its size, its controls (the programs' own layout
strings, verbatim) and what its background shows besides the controls.

A control's four state pictures are drawn exactly inside the rectangle of its
layout string; the programs cut them out of the four sheets at that same
rectangle.  Kinds:

  button, tab, icon, check, radio, segment, field, swatch, step, marker,
  spin, flagrow, preset, dpiheader  -- controls with four state pictures
  slider, edit, list, label, picture, progress, area, dpirow, hidden
                                     -- drawn once, the same on all sheets

Decorations (drawn on every sheet, outside the state pictures):
  ("panel", box, title)      ("heading", x, y, text)
  ("text", x, y, text, size, colour, anchor)
  ("para", box, text, size, colour, align)
  ("inset", box)             ("rule", x0, y0, x1, y1)
"""
import paint as P


class Control:
    def __init__(self, layout, kind, text="", **opt):
        self.layout = layout
        self.name, self.x, self.y, self.w, self.h, self.help = parse_layout(layout)
        self.kind = kind
        self.text = text
        self.opt = opt

    @property
    def rect(self):
        return (self.x, self.y, self.x + self.w, self.y + self.h)


def parse_layout(s):
    """Same reading as the programs: name up to the first comma, four
    integers after it (blanks allowed), help text after the last comma,
    trimmed."""
    first = s.index(",")
    name = s[:first]
    nums = s[first + 1:].split(",")[:4]
    x, y, w, h = (int(v.strip()) for v in nums)
    help_text = s[s.rindex(",") + 1:].strip()
    return name, x, y, w, h, help_text


class Window:
    def __init__(self, name, size, controls, decor=(), top_level=True, title=None, program="option",
                 jpeg=None, mask=None, note="", radius=10):
        self.name = name
        self.size = size
        self.controls = list(controls)
        self.decor = list(decor)
        self.top_level = top_level
        self.title = title
        self.program = program
        self.jpeg = jpeg      # also written as this JPEG (normal sheet)
        self.mask = mask      # also written as this region mask bitmap
        self.note = note
        self.radius = radius  # rounded corners cut out by the window region


def C(*a, **k):
    return Control(*a, **k)


DIM = P.TEXT_DIM
TXT = P.TEXT

# --- main window -----------------------------------------------------------

PROFILE_X = (8, 165, 322, 479, 637)
PROFILE_W = (155, 155, 155, 156, 155)
MARKER_X = (139, 296, 453, 611, 769)
LED_X = (7, 167, 324, 481, 639)
NAME_X = (31, 190, 347, 504, 662)

LANGUAGES = ("Danish", "English", "Finnish", "French", "German", "Italian", "Japanese", "Korean",
             "Polish", "Russian", "Simplified Chinese", "Spanish", "Swedish", "Thai",
             "Traditional Chinese", "Turkish", "Vietnamese")


def _main_controls():
    c = [
        C("Main,4,75,160,38,Main settings for the selected device", "tab", "Main"),
        C("Button Assign,164,75,157,38,Assign a function to each mouse button", "tab", "Buttons"),
        C("Color,321,75,157,38,Color Setting", "tab", "Lighting"),
        C("Advanced,478,75,157,38,Advanced settings for the selected device", "tab", "Advanced"),
        C("Update,635,75,157,38,Check for the lastest driver update", "tab", "Update"),
        C("Create,290,450,110,25,Create a new profile for the selected profile slot", "button", "Create",
          glyph="plus"),
        C("Load,430,450,110,25,Load a new profile for the selected profile slot", "button", "Load",
          glyph="download"),
        C("Save,560,450,110,25,Save the current setting of the selected profile slot", "button", "Save",
          glyph="form"),
        C("Edit,685,450,110,25,Edit the profile settings of the selected profile slot", "button", "Edit",
          glyph="dots"),
    ]
    for i in range(5):
        c.append(C("Profile %d,%d, 485,%d,25,Click here to activate profile slot #%d"
                   % (i + 1, PROFILE_X[i], PROFILE_W[i], i + 1), "segment", "PROFILE %d" % (i + 1),
                   joined=("left", "mid", "mid", "mid", "right")[i], size=11))
    for i in range(5):
        c.append(C("windows profile,%d, 514,22,22," % MARKER_X[i], "marker"))
    for i in range(5):
        c.append(C("Profile %d Color,%d,514,23,23," % (i + 1, LED_X[i]), "picture", art="led"))
    for i in range(5):
        c.append(C("Profile %d name,%d,  514,101,21,Profile assigned to profile slot #%d"
                   % (i + 1, NAME_X[i], i + 1), "label"))
    c += [
        C("button language,12, 570,32,17,Select language", "picture", art="flag"),
        C("Min,749, 4,22,22,Minimize the application", "icon", glyph="min"),
        C("Exit,771, 4,22,22,Close the application without saving the changes to the device", "icon",
          glyph="close"),
        C("OK,582,563,58,30,Save the setting on the device and close the application", "button", "OK",
          primary=True, joined="left"),
        C("Apply,640,563,72,30,Apply the setting to the device", "button", "Apply", joined="mid"),
        C("Cancel,712,563,80,30,Close the application without saving the changes to the device", "button",
          "Cancel", joined="right"),
        C("Page position,12,124,774,312,", "area"),
        C("Help line,52,570,528,20,", "picture", art="helpline"),
        C("Model badge,7,34,171,45,", "picture", art="badge"),
    ]
    return c


MAIN = Window("main", (800, 600), _main_controls(), decor=[
    ("mainframe",),
    ("heading", 16, 457, "Profile"),
    ("para", (16, 470, 280, 482), "Pick a slot, then create, load, save or edit its profile.", 9, DIM, "left"),
], title="VELMAR  Vextra Mouse Option")

# --- main settings page ----------------------------------------------------

DPI_ROW_Y = (58, 97, 136, 175, 214)
DPI_PRESETS = ((35, 25, 60, 34), (72, 25, 97, 34), (113, 25, 142, 34), (155, 25, 183, 34),
               (197, 25, 224, 34), (240, 25, 265, 34), (279, 25, 304, 34))
DPI_PRESET_VALUES = (1, 10, 20, 30, 40, 50, 60)


def _dpi_children(row):
    """Children of one DPI row, in row coordinates."""
    kids = []
    kids.append(C("Header,1,1,371,12,", "dpiheader", "DPI LEVEL %d" % row))
    for (x0, y0, x1, y1), v in zip(DPI_PRESETS, DPI_PRESET_VALUES):
        kids.append(C("Preset,%d,%d,%d,%d," % (x0, y0, x1 - x0, y1 - y0), "preset", str(v * 100)))
    kids.append(C("Enable,10,10,18,18,", "check", "", box=16, box_x=1))
    kids.append(C("Slider,37,14,267,8,", "slider", lo=1, hi=60, thumb="thumb_dpi", ticks=False))
    kids.append(C("Spin,317,15,44,18,", "spin"))
    return kids


def _main_page_controls():
    c = [
        C("SENSITIVITY,23,50,266,25,", "slider", lo=1, hi=11, thumb="thumb_speed",
          labels={1: "-5", 6: "0", 11: "+5"}),
        C("Scroll speed,46,149,240,25,", "slider", lo=1, hi=10, thumb="thumb_speed"),
        C("Tilt Speed,23,259,240,25,", "slider", lo=1, hi=10, thumb="thumb_speed"),
        C("Double Click speed,545,279,140,20,", "slider", lo=0, hi=700, thumb="thumb_double_click",
          ticks=False),
        C("Sensitivity,311,42,45,19,", "spin"),
        C("not one page,13,144,20,20,", "radio", "", box=14, box_x=3),
        C("one page,13,169,190,20,", "radio", "One page per notch", box=14, box_x=3),
    ]
    for i, y in enumerate(DPI_ROW_Y):
        c.append(C("DPI,395,%d,375,39," % y, "dpirow", children=_dpi_children(i + 1)))
    c.append(C("Double Click Test,721,277,41,22,", "picture", art="double_click"))
    return c


MAIN_PAGE = Window("page_main", (774, 312), _main_page_controls(), top_level=False, decor=[
    ("panel", (4, 4, 382, 308), None),
    ("panel", (388, 4, 770, 262), None),
    ("panel", (388, 266, 770, 308), None),
    ("heading", 23, 27, "Sensitivity"),
    ("text", 305, 27, "VALUE", 9, DIM, "la"),
    ("heading", 13, 120, "Scroll wheel"),
    ("text", 46, 136, "Lines per notch", 9, DIM, "la"),
    ("heading", 23, 236, "Tilt speed"),
    ("heading", 399, 15, "DPI levels"),
    ("para", (399, 34, 765, 50), "Tick the levels to use; click a level's bar to make it active.", 9, DIM,
     "left"),
    ("heading", 399, 283, "Double-click"),
    ("text", 540, 290, "SLOW", 8, DIM, "ra"),
    ("text", 690, 289, "FAST", 8, DIM, "la"),
], note="DPI rows are composite: their children's rectangles are relative to the row.")

# --- button assignment page ------------------------------------------------


def _button_page_controls():
    c = []
    for s in range(24):
        col = 0 if s < 12 else 1
        row = s % 12
        name = "B%d" % (s + 1) if s != 12 else "B4"
        x = 33 if col == 0 else 424
        c.append(C("%s,%d,%d,158,17," % (name, x, 40 + 19 * row), "field"))
    c += [
        C("right,166,278,100,0,", "hidden"),
        C("Left,270,278,100,0,", "hidden"),
        C("Macro Manager,324,286,126,24,", "button", "Macro Manager", glyph="record"),
        C("Mouse picture normal,191,32,188,272,", "picture", art="mouse_normal"),
        C("Mouse picture layer,582,32,188,272,", "picture", art="mouse_layer"),
    ]
    return c


BUTTON_NAMES = ("Left button", "Right button", "Wheel click", "Side button 1", "Side button 2",
                "Tilt left", "Tilt right", "Wheel up", "Wheel down", "DPI up", "DPI down", "Top button")

BUTTON_PAGE = Window("page_buttons", (774, 312), _button_page_controls(), top_level=False, decor=[
    ("heading", 14, 16, "Normal layer"),
    ("heading", 405, 16, "Tanshift layer"),
    ("buttonrows",),
    ("para", (14, 290, 320, 308), "Point at a label to see its button.", 9, DIM, "left"),
])

# --- light page --------------------------------------------------------------

SWATCH_COLOURS = (
    (180, 0, 1), (254, 0, 0), (255, 71, 0), (255, 107, 1), (255, 157, 72), (255, 187, 90), (248, 232, 0),
    (246, 255, 78), (201, 255, 79), (166, 255, 79), (132, 255, 78), (0, 255, 1), (0, 207, 55), (1, 166, 45),
    (0, 207, 123), (1, 207, 158), (1, 203, 207), (107, 225, 227), (41, 197, 254), (38, 162, 234),
    (100, 158, 240), (38, 132, 232), (0, 72, 255), (14, 15, 255), (15, 15, 189), (89, 7, 255),
    (121, 12, 255), (160, 12, 254), (170, 108, 231), (182, 10, 216), (201, 12, 254), (206, 10, 218),
    (217, 10, 126))


def _light_page_controls():
    c = [
        C("Turn light on/off,275,255,100,16,", "check", "Zone light on"),
        C("Select Color for all light,275,285,250,16,", "check", "Use the color for all four zones"),
        C("Use Selected color,535,36,65,0,", "hidden"),
        C("Random single color,535,54,65,0,", "hidden"),
        C("Random multi color,535,72,65,0,", "hidden"),
        C("Flow Off,535,225,200,17,", "radio", "Flow off"),
        C("All lights simultaneously,535,140,200,17,", "radio", "All lights together"),
        C("Flow direction Up,535,157,200,17,", "radio", "Flow up"),
        C("Flow direction Down,535,174,200,17,", "radio", "Flow down"),
        C("Flow direction Left,535,191,200,17,", "radio", "Flow left"),
        C("Flow direction Right,535,208,200,17,", "radio", "Flow right"),
        C("All light Off,638,33,100,17,", "radio", "All off"),
        C("Full lightened,535,33,100,17,", "radio", "Steady"),
        C("Blinking,535,50,100,17,", "radio", "Blinking"),
        C("Breathing,638,50,100,17,", "radio", "Breathing"),
        C("Heartbeat,535,67,100,17,", "radio", "Heartbeat"),
        C("Effect Speed,678,279,52,20,", "slider", lo=1, hi=3, thumb="thumb_effect_speed"),
        C("Color Line Window,0,0,248,312,", "picture", art="color_preview"),
    ]
    n = 0
    for row, y in enumerate((80, 105, 130, 155, 180)):
        for col in range(7 if row < 4 else 5):
            c.append(C("color%d,%d,%d,24,24," % (col + 1, 299 + 25 * col, y), "swatch",
                       colour=SWATCH_COLOURS[n], number=n))
            n += 1
    return c


LIGHT_PAGE = Window("page_light", (774, 312), _light_page_controls(), top_level=False, decor=[
    ("panel", (254, 4, 528, 308), None),
    ("panel", (530, 4, 770, 308), None),
    ("heading", 268, 15, "Zone color"),
    ("para", (268, 32, 520, 70), "Click a zone on the mouse, then pick its color.", 9, DIM,
     "left"),
    ("heading", 541, 15, "Light effect"),
    ("heading", 541, 120, "Color flow"),
    ("heading", 541, 284, "Speed"),
    ("text", 672, 290, "SLOW", 8, DIM, "ra"),
    ("text", 734, 290, "FAST", 8, DIM, "la"),
    ("rule", 268, 240, 520, 240),
])

# --- advanced page -----------------------------------------------------------


def _advanced_controls():
    return [
        C("Enable Advanced Setting,15,92,190,16,", "check", "Separate X and Y sensitivity"),
        C("Sound FeedBack Profile Switch,405,53,117,15,", "check", "Profile switch", size=10),
        C("Sound FeedBack DPi Switch,405,69,117,15,", "check", "DPI switch", size=10),
        C("Sound Volume Up/Down,522,53,125,15,", "check", "Volume up/down", size=10),
        C("Sound FeedBack Sensitivity Switch,522,69,125,15,", "check", "Sensitivity switch", size=10),
        C("Sound Volume,506,91,102,20,", "slider", lo=0, hi=4, thumb="thumb_volume"),
        C("125Hz,120,275,60,20,", "segment", "125 Hz", joined="left"),
        C("250Hz,180,275,60,20,", "segment", "250 Hz", joined="mid"),
        C("500Hz,240,275,60,20,", "segment", "500 Hz", joined="mid"),
        C("1000Hz,300,275,70,20,", "segment", "1000 Hz", joined="right"),
        C("Enable mouse acceleration,405,212,180,26,", "check", "Mouse acceleration"),
        C("Enable mouse Trails,595,212,100,26,", "check", "Pointer trails"),
        C("BUTTON_Reset,665,275,100,22,Reset", "button", "Reset all", glyph="reset"),
        C("OFF,195,170,90,16,", "radio", "Off", size=10),
        C("Extra low,290,189,90,16,", "radio", "Extra low", size=10),
        C("Low, 290,170,90,16,", "radio", "Low", size=10),
        C("Normal,195,189,90,16,", "radio", "Normal", size=10),
        C("LDA OFF,15,189,60,16,", "segment", "LDA OFF", size=9),
        C("LDA ON,15,170,60,16,", "segment", "LDA ON", size=9),
        C("BUTTON_ReCalibrate,85,168,90,20,Reset", "button", "Recalibrate", size=10),
        C("X-AXIS,38,35,266,25,", "slider", lo=1, hi=11, thumb="thumb_axis"),
        C("Y-AXIS,38,69,266,25,", "slider", lo=1, hi=11, thumb="thumb_axis"),
        C("Pointer Speed,413,181,216,25,", "slider", lo=1, hi=11, thumb="thumb_speed"),
        C("Sensitivity X,321,35,50,19,", "spin"),
        C("Sensitivity Y,321,61,50,19,", "spin"),
    ]


ADVANCED_PAGE = Window("page_advanced", (774, 312), _advanced_controls(), top_level=False, decor=[
    ("panel", (4, 4, 382, 124), None),
    ("panel", (388, 4, 770, 124), None),
    ("panel", (4, 130, 382, 222), None),
    ("panel", (388, 130, 770, 262), None),
    ("panel", (4, 266, 770, 308), None),
    ("heading", 15, 15, "Sensitivity per axis"),
    ("text", 21, 42, "X", 12, TXT, "la"),
    ("text", 21, 76, "Y", 12, TXT, "la"),
    ("heading", 399, 15, "Sound feedback"),
    ("para", (405, 30, 765, 48), "Announce changes made with the mouse's buttons.", 9, DIM, "left"),
    ("text", 405, 96, "VOLUME", 9, DIM, "la"),
    ("heading", 15, 141, "Lift-off distance (LDA)"),
    ("text", 195, 155, "LIFT-OFF LEVEL", 8, DIM, "la"),
    ("heading", 399, 141, "Windows pointer"),
    ("text", 405, 163, "POINTER SPEED", 9, DIM, "la"),
    ("heading", 15, 281, "Polling rate"),
    ("text", 380, 281, "REPORTS PER SECOND", 8, DIM, "la"),
])

# --- update page -------------------------------------------------------------

UPDATE_PAGE = Window("page_update", (774, 312), [
    C("BUTTON_update,15,81,200,34,", "button", "Driver downloads", glyph="download", primary=True, size=12),
    C("BUTTON_help,405,81,200,34,", "button", "Support website", glyph="help", size=12),
    C("BUTTON_Email_Request,10,265,100,30,", "button", "E-mail", glyph="mail"),
    C("BUTTON_Support_Form,400,210,100,30,", "button", "Web form", glyph="form"),
    C("BUTTON_Support_Form,400,265,100,30,", "button", "E-mail", glyph="mail"),
], top_level=False, decor=[
    ("panel", (4, 4, 382, 130), None),
    ("panel", (394, 4, 770, 130), None),
    ("panel", (4, 140, 382, 308), None),
    ("panel", (394, 140, 770, 308), None),
    ("heading", 15, 15, "Driver updates"),
    ("para", (15, 34, 372, 76), "Get the newest driver and firmware for this mouse from the VELMAR "
     "support page.", 10, DIM, "left"),
    ("heading", 405, 15, "Help"),
    ("para", (405, 34, 760, 76), "Manuals, questions and answers, and tips for every setting.", 10, DIM, "left"),
    ("heading", 15, 151, "Installed versions"),
    ("text", 140, 182, "Driver version", 11, DIM, "ra"),
    ("text", 157, 209, "Firmware version", 11, DIM, "ra"),
    ("heading", 15, 244, "Write to us"),
    ("para", (118, 268, 372, 300), "Send a question to the support team by e-mail.", 9, DIM, "left"),
    ("heading", 405, 151, "Contact support"),
    ("para", (405, 170, 760, 204), "Our support team helps with every question about the mouse and its software.",
     10, DIM, "left"),
    ("para", (510, 214, 760, 240), "Describe your problem in the web form.", 9, DIM, "left"),
    ("para", (510, 269, 760, 295), "Or write to the support address.", 9, DIM, "left"),
])

# --- small skinned dialogs ---------------------------------------------------

OK200 = "BUTTON_OK,72,200,56,24,"
CANCEL200 = "BUTTON_CANCEL,136,200,100,24,"
EXIT274 = "BUTTON_EXIT,274,3,26,22,"
OK170 = "BUTTON_OK,72,170,56,24,"
CANCEL170 = "BUTTON_CANCEL,136,170,100,24,"


def _ok_cancel(ok, cancel, exit_):
    return [C(ok, "button", "OK", primary=True), C(cancel, "button", "Cancel"), C(exit_, "icon", glyph="close")]


def _confirm(name, row_y, title, caption, question, icon="question", plate=True):
    ok, cancel = (OK200, CANCEL200) if row_y == 200 else (OK170, CANCEL170)
    h = 240 if row_y == 200 else 215
    decor = [("icon", (238, 48, 286, 96), icon)]
    if plate:
        decor += [("text", 20, 37, caption, 8, DIM, "la"), ("plate", (20, 50, 220, 94))]
        decor.append(("para", (20, 104, 286, row_y - 8), question, 11, TXT, "left"))
    else:
        decor.append(("para", (20, 48, 228, row_y - 8), question, 11, TXT, "left"))
    return Window(name, (305, h), _ok_cancel(ok, cancel, EXIT274), decor=decor, title=title,
                  note="Owner text: white, centred and wrapped in (20,50)-(220,94)." if plate else "")


CONFIRM_WINDOWS_PROFILE = _confirm(
    "confirm_windows_profile", 200, "Windows profile", "PROFILE SLOT",
    "Make this slot the Windows profile? Its settings apply whenever no program-linked profile is active.")
CONFIRM_RESET = _confirm(
    "confirm_reset", 200, "Reset", None,
    "Reset all settings?\nEvery profile, button assignment, macro link and light setting returns to the "
    "factory defaults, on this PC and on the mouse.", icon="warning", plate=False)
CONFIRM_DELETE_SET = _confirm(
    "confirm_delete_macro_set", 170, "Delete macro set", "MACRO SET",
    "Delete this macro set and all of its macros?", icon="warning")
CONFIRM_DELETE_MACRO = _confirm(
    "confirm_delete_macro", 170, "Delete macro", "MACRO", "Delete this macro?", icon="warning")
CONFIRM_DELETE_TIMER = _confirm(
    "confirm_delete_timer", 170, "Delete timer", "TIMER", "Delete this timer?", icon="warning")


def _notice(name, title, headline, body):
    return Window(name, (305, 215), [
        C("BUTTON_OK,125,170,55,24,", "button", "OK", primary=True),
        C(EXIT274, "icon", glyph="close"),
    ], decor=[
        ("icon", (238, 48, 286, 96), "info"),
        ("para", (20, 50, 228, 70), headline, 12, TXT, "left"),
        ("para", (20, 78, 228, 160), body, 10, DIM, "left"),
    ], title=title)


NOTICE_NO_SET = _notice("notice_no_macro_set", "Macro Manager", "No macro set selected.",
                        "Choose a macro set from the list, or add one with \"[+]Add Macro Set\", first.")
NOTICE_NO_MACRO = _notice("notice_no_macro", "Macro Manager", "No macro selected.",
                          "Select a macro in the list, or create one with New, first.")

SET_NAME = Window("macro_set_name", (305, 215), [
    C("EDIT_MACRO_SET_NAME,58,100,186,18,", "edit"),
] + _ok_cancel(OK170, CANCEL170, EXIT274), decor=[
    ("para", (58, 48, 286, 90), "Name of the new macro set", 11, TXT, "left"),
    ("text", 58, 126, "Up to 24 characters.", 9, DIM, "la"),
], title="New macro set")

MEDIA_PLAYER = Window("media_player", (305, 215), [
    C("BUTTON_PLAY,33,76,160,20,", "field", combo=True),
    C("BUTTON_OK,18,162,55,30,", "button", "OK", primary=True),
    C("BUTTON_CANCEL,82,162,96,30,", "button", "Cancel"),
    C("BUTTON_EXIT,276,4,22,22,", "icon", glyph="close"),
], decor=[
    ("text", 33, 58, "MEDIA PLAYER", 9, DIM, "la"),
    ("para", (33, 106, 286, 150), "The media buttons of this profile open and control this player.", 10,
     DIM, "left"),
], title="Media player")

QUICKLAUNCH = Window("quicklaunch", (305, 240), [
    C("Gaming path to executeable,27,88,227,15,", "edit"),
    C("browser1,256,86,24,20,", "icon", glyph="dots", boxed=True),
] + _ok_cancel(OK200, CANCEL200, EXIT274), decor=[
    ("para", (27, 44, 286, 80), "Program this button starts", 11, TXT, "left"),
    ("para", (27, 116, 286, 190), "Type the full path of the program, or browse for it with the button "
     "beside the field.", 10, DIM, "left"),
], title="Quicklaunch")

PROFILE_PROPERTIES = Window("profile_properties", (345, 250), [
    C("EDIT_PROFILE_NAME,120,78,182,15,", "edit"),
    C("EDIT_PATH_TOEXECUTEABLE,35,137,265,15,", "edit"),
    C("EDIT_PATH_TOEXECUTEABLE,35,157,265,15,", "edit"),
    C("EDIT_PATH_TOEXECUTEABLE,35,177,265,15,", "edit"),
    C("BUTTON_BROWER,304,136,23,17,", "icon", glyph="dots", boxed=True),
    C("BUTTON_BROWER,304,156,23,17,", "icon", glyph="dots", boxed=True),
    C("BUTTON_BROWER,304,176,23,17,", "icon", glyph="dots", boxed=True),
    C("BUTTON_OK,72,210,56,24,", "button", "OK", primary=True),
    C("BUTTON_CANCEL,136,210,100,24,", "button", "Cancel"),
    C("BUTTON_EXIT,314,3,26,22,", "icon", glyph="close"),
], decor=[
    ("text", 114, 78, "Profile name", 10, TXT, "ra"),
    ("para", (35, 44, 330, 70), "Name the profile and pick up to three programs that switch to it.", 10,
     DIM, "left"),
    ("text", 35, 118, "PROGRAMS THAT SWITCH TO THIS PROFILE", 8, DIM, "la"),
    ("text", 28, 137, "1", 10, DIM, "ra"),
    ("text", 28, 157, "2", 10, DIM, "ra"),
    ("text", 28, 177, "3", 10, DIM, "ra"),
], title="Profile")

KEY_SHORTCUT = Window("key_shortcut", (460, 205), [
    C("EDIT_MACRO_SET_NAME,295,102,77,18,", "edit"),
    C("None,20,102,55,18,", "segment", "None"),
    C("Shift,80,102,50,18,", "segment", "Shift"),
    C("Ctrl,134,102,46,18,", "segment", "Ctrl"),
    C("Alt,234,102,36,18,", "segment", "Alt"),
    C("Win,183,102,46,18,", "segment", "Win"),
    C("BUTTON_OK,14,162,60,30,", "button", "OK", primary=True),
    C("BUTTON_CANCEL,78,162,100,30,", "button", "Cancel"),
    C("BUTTON_EXIT,430,4,25,22,", "icon", glyph="close"),
], decor=[
    ("para", (20, 42, 440, 74), "Press the key this button shall send, then choose its modifiers.", 11, TXT,
     "left"),
    ("text", 20, 86, "MODIFIERS", 8, DIM, "la"),
    ("text", 295, 86, "KEY", 8, DIM, "la"),
    ("text", 282, 103, "+", 12, P.ACCENT_HI, "ma"),
    ("para", (20, 130, 440, 150), "The key is captured from the keyboard: it acts nowhere else while this "
     "dialog is open.", 9, DIM, "left"),
], title="Key shortcut", jpeg="Key_Assignment_normal.jpg", mask="warn_mask.BMP")

# --- timer dialogs -------------------------------------------------------------

TIMER_BUTTONS = [
    C("BUTTON_OK,14,310,60,26,", "button", "OK", primary=True),
    C("BUTTON_CANCEL,78,310,100,26,", "button", "Cancel"),
    C("BUTTON_Exit,494,3,22,22,", "icon", glyph="close"),
]

TIMER_CREATE = Window("timer_create", (520, 345), [
    C("EDIT_PROFILE_NAME,116,90,182,15,", "edit"),
    C("EDIT_SPIN,115,163,45,19,", "spin"),
] + TIMER_BUTTONS, decor=[
    ("para", (14, 42, 330, 78), "A timer counts down and announces the last seconds. Name it and set its "
     "duration.", 10, DIM, "left"),
    ("text", 108, 91, "Name", 10, TXT, "ra"),
    ("text", 116, 110, "Up to 24 characters.", 8, DIM, "la"),
    ("text", 108, 165, "Countdown", 10, TXT, "ra"),
    ("text", 166, 166, "seconds (10 - 999)", 9, DIM, "la"),
    ("icon", (370, 70, 490, 190), "stopwatch"),
], title="Create timer")

TIMER_EDIT = Window("timer_edit", (520, 345), [
    C("LIST_TIMER,115,86,186,20,", "field", combo=True),
    C("EDIT_PROFILE_NAME,116,140,182,15,", "edit"),
    C("EDIT_SPIN,115,193,45,19,", "spin"),
    C("BUTTON_SAVE,226,190,114,24,", "button", "Save changes"),
    C("BUTTON_DELETE,350,190,124,24,", "button", "Delete timer"),
] + TIMER_BUTTONS, decor=[
    ("para", (14, 42, 500, 70), "Pick a timer to rename it, change its duration or delete it.", 10, DIM,
     "left"),
    ("text", 108, 89, "Timer", 10, TXT, "ra"),
    ("text", 108, 141, "Name", 10, TXT, "ra"),
    ("text", 108, 195, "Countdown", 10, TXT, "ra"),
    ("text", 166, 196, "seconds", 9, DIM, "la"),
    ("rule", 14, 122, 506, 122),
], title="Edit timers")

# --- macro manager -------------------------------------------------------------

MACRO_MANAGER = Window("macro_manager", (712, 465), [
    C("BUTTON_combox_macro_select,16,75,196,23,", "field", combo=True),
    C("BUTTON_List_MacroName,19,98,189,302,", "list"),
    C("BUTTON_New,15,430,71,26,", "button", "New", glyph="plus"),
    C("BUTTON_Delete,89,431,96,26,", "button", "Delete", glyph="minus"),
    C("BUTTON_Switch_editor,219,430,197,25,", "button", "Key list / Time line", text_down="Time line / Key list"),
    C("CHILD_POS,215,50,490,365,", "area"),
    C("BUTTON_OK,539,430,56,26,", "button", "OK", primary=True),
    C("BUTTON_Cancel,605,430,100,26,", "button", "Cancel"),
    C("BUTTON_Exit,686,4,22,22,", "icon", glyph="close"),
], decor=[
    ("heading", 16, 56, "Macro sets"),
    ("frame", (216, 51, 704, 414)),
], title="Vextra Macro Manager")

KEY_EDITOR = Window("macro_key_editor", (490, 365), [
    C("BUTTON_Start_Record,263,57,133,23,", "button", "Record", text_down="Stop recording", glyph="record",
      glyph_down="stop"),
    C("BUTTON_Delay_ON_OFF,262,97,150,23,", "check", "Record delays", box=14),
    C("BUTTON_LoopTimes_ON_OFF,262,164,120,15,", "check", "Repeat the macro", box=12, size=10),
    C("Edit_Times,284,184,30,15,", "edit"),
    C("BUTTON_List_key_sequence,6,49,234,301,", "list"),
], top_level=False, decor=[
    ("heading", 8, 30, "Key sequence"),
    ("heading", 262, 30, "Recorder"),
    ("text", 262, 124, "Keeps the pauses between keys.", 8, DIM, "la"),
    ("text", 320, 186, "times", 10, DIM, "la"),
    ("rule", 262, 150, 478, 150),
    ("para", (262, 230, 478, 340), "Right-click the list to record before or after an event, to insert "
     "mouse buttons and delays, or to delete.", 9, DIM, "left"),
])

TIMELINE = Window("macro_timeline", (490, 365), [
    C("BUTTON_ADD,4,330,30,20,", "icon", glyph="plus", boxed=True),
    C("BUTTON_DELETE,34,330,30,20,", "icon", glyph="minus", boxed=True),
    C("BUTTON_ZOOM_IN,457,1,22,20,", "icon", glyph="zoomin", boxed=True),
    C("BUTTON_ZOOM_OUT,435,1,22,20,", "icon", glyph="zoomout", boxed=True),
    C("Rows,0,24,490,304,", "area"),
], top_level=False, decor=[
    ("timeline",),
], jpeg="macro_adjust_normal.jpg",
    note="Grid: 19 rows of 16 px from y 24; key names in x 0..60, bars in x 62..472, scroll bar x 474..490.")

# --- LDA -------------------------------------------------------------------------

WIZARD = Window("lda_wizard", (525, 355), [
    C("Exit,496,4,25,22,", "icon", glyph="close"),
    C("Cancel,15,322,95,24,", "button", "Cancel"),
    C("Step First,40,90,115,30,", "step", "Prepare", number=1),
    C("Step Second,185,90,100,30,", "step", "Scan", number=2),
    C("Step Finish,305,90,60,30,", "step", "Done", number=3),
    C("Header,5,40,515,46,", "area"),
    C("Page,5,122,515,195,", "area"),
], decor=[
    ("para", (14, 44, 510, 84), "Tune the lift-off distance to the surface you play on. The mouse scans the "
     "surface and calibrates its sensor.", 10, DIM, "left"),
    ("steplinks",),
], title="LDA calibration", note="The four wizard pages sit at (5,122), 515 x 195.")

PREVIEW_RIGHT = ("preview", (386, 20, 506, 140))
PREVIEW_LEFT = ("preview", (36, 20, 156, 140))

WIZARD_START = Window("lda_page_start", (515, 195), [
    C("Start,27,132,187,28,", "button", "Start", primary=True, size=12),
], top_level=False, decor=[
    ("para", (27, 20, 360, 120), "Put the mouse on your usual surface and keep it still. Press Start: the "
     "sensor scans the surface five times, then calibrates.", 11, TXT, "left"),
    PREVIEW_RIGHT,
], note="Sensor preview drawn at (386,20)-(506,140).")

WIZARD_PROGRESS = Window("lda_page_progress", (515, 195), [
    C("Progress bar,233,55,128,15,", "picture", art="progress"),
], top_level=False, decor=[
    ("para", (233, 20, 500, 50), "Scanning the surface...", 12, TXT, "left"),
    ("para", (233, 80, 500, 170), "Keep the mouse still until the scan has finished.", 10, DIM, "left"),
    PREVIEW_LEFT,
], note="Sensor preview drawn at (36,20)-(156,140).")

WIZARD_RETRY = Window("lda_page_retry", (515, 195), [
    C("Retry Calibration,235,133,185,28,", "button", "Retry calibration", primary=True),
], top_level=False, decor=[
    ("para", (235, 20, 500, 44), "Calibration failed.", 12, TXT, "left"),
    ("para", (235, 48, 500, 125), "Check that the mouse lies flat on the surface and that the surface is "
     "clean, then try again.", 10, DIM, "left"),
    PREVIEW_LEFT,
], note="Sensor preview drawn at (36,20)-(156,140).")

WIZARD_CONTINUE = Window("lda_page_continue", (515, 195), [
    C("Continue,235,133,185,28,", "button", "Continue", primary=True),
], top_level=False, decor=[
    ("para", (235, 20, 500, 44), "Calibration succeeded.", 12, TXT, "left"),
    ("para", (235, 48, 500, 125), "Press Continue, then try the mouse and keep the new setting if it "
     "suits you.", 10, DIM, "left"),
    PREVIEW_LEFT,
], note="Sensor preview drawn at (36,20)-(156,140).")


def _countdown(name, title, question, body):
    return Window(name, (362, 270), [
        C("Accept,157,239,140,23,", "button", "Keep", primary=True),
        C("Cancel,54,239,93,23,", "button", "Undo"),
        C("Exit,332,4,25,21,", "icon", glyph="close"),
        C("Seconds,131,170,100,22,", "area"),
        C("Progress,40,200,282,14,", "area"),
    ], decor=[
        ("icon", (20, 46, 64, 90), "question"),
        ("para", (76, 46, 342, 70), question, 12, TXT, "left"),
        ("para", (76, 74, 342, 160), body, 10, DIM, "left"),
        ("inset", (40, 200, 322, 214)),
    ], title=title, note="Countdown text \"%d sec\" centred in (131,170)-(231,192); progress bar at "
                         "(40,200)-(322,214).")


LDA_LEVEL_CONFIRM = _countdown(
    "lda_level_confirm", "Lift-off distance", "Keep the new lift-off distance?",
    "Move the mouse and lift it to try the new level. Without an answer the previous level returns when "
    "the time is up.")
LDA_CALIBRATION_CONFIRM = _countdown(
    "lda_calibration_confirm", "LDA calibration", "Keep the new calibration?",
    "Move the mouse and lift it to try the calibrated sensor. Without an answer the previous setting "
    "returns when the time is up.")

LANGUAGE_PICKER = Window("language_picker", (150, 289), [
    C("Language %d,0,%d,150,17," % (i, 17 * i), "flagrow", LANGUAGES[i], flag_index=i) for i in range(17)
], decor=[("pickerframe",)], title=None, radius=0,
    note="Row i (0..16) is the language index of the help library table.")

# --- firmware updater ------------------------------------------------------------

UPDATER = Window("updater_main", (525, 291), [
    C("BUTTON_EXIT,497,4,22,22,", "icon", glyph="close"),
    C("BUTTON_Progress,43,181,436,17,", "progress"),
], decor=[
    ("icon", (30, 48, 86, 104), "chip"),
    ("para", (100, 50, 495, 72), "Updating the mouse firmware", 13, TXT, "left"),
    ("para", (100, 76, 495, 110), "Keep the mouse connected and the computer running until the update has "
     "finished.", 10, DIM, "left"),
    ("text", 95, 118, "FIRMWARE IMAGE", 8, DIM, "la"),
    ("inset", (95, 131, 360, 147)),
    ("text", 43, 166, "PROGRESS", 8, DIM, "la"),
    ("footer", 240),
], title="Vextra Firmware Update", program="updater",
    note="The program draws in (107,107,107): image name in (95,131)-(360,147), \"DFU V\" at (8,251), "
         "\"Firmware Update V1.06\" at (377,251).")


def _updater_dialog(name, title, message, confirm=False, icon="info"):
    if confirm:
        ctrls = [C("BUTTON_OK,74,171,60,28,", "button", "OK", primary=True),
                 C("BUTTON_CANCEL,138,171,100,28,", "button", "Cancel")]
    else:
        ctrls = [C("BUTTON_OK,125,171,55,28,", "button", "OK", primary=True)]
    ctrls.append(C("BUTTON_EXIT,276,4,22,22,", "icon", glyph="close"))
    return Window(name, (305, 215), ctrls, decor=[
        ("icon", (20, 48, 60, 88), icon),
        ("para", (72, 46, 290, 162), message, 10, TXT, "left"),
    ], title=title, program="updater")


UPDATER_CONFIRM = _updater_dialog(
    "updater_confirm", "Firmware update",
    "The firmware update takes around one minute. Press OK to update the firmware now.\n"
    "Do not unplug the mouse cable or power down the computer while the update runs.",
    confirm=True, icon="warning")
UPDATER_DRIVER = _updater_dialog(
    "updater_driver_notice", "Driver update needed",
    "The mouse has newer firmware than this driver knows. Please download and install the latest driver "
    "from the VELMAR support page.", icon="info")
UPDATER_SUCCESS = _updater_dialog(
    "updater_success", "Firmware upgrade success",
    "The firmware update succeeded.\nUnplug the mouse and plug it in again now, then press OK.", icon="ok")
UPDATER_FAILURE = _updater_dialog(
    "updater_failure", "Firmware update failed",
    "The firmware update failed. Please try again.\nIf the problem persists, contact VELMAR support "
    "through the support page.", icon="error")

OPTION_WINDOWS = [
    MAIN, MAIN_PAGE, BUTTON_PAGE, LIGHT_PAGE, ADVANCED_PAGE, UPDATE_PAGE,
    CONFIRM_WINDOWS_PROFILE, CONFIRM_RESET, CONFIRM_DELETE_SET, CONFIRM_DELETE_MACRO, CONFIRM_DELETE_TIMER,
    NOTICE_NO_SET, NOTICE_NO_MACRO, SET_NAME, MEDIA_PLAYER, QUICKLAUNCH, PROFILE_PROPERTIES, KEY_SHORTCUT,
    TIMER_CREATE, TIMER_EDIT, MACRO_MANAGER, KEY_EDITOR, TIMELINE,
    WIZARD, WIZARD_START, WIZARD_PROGRESS, WIZARD_RETRY, WIZARD_CONTINUE,
    LDA_LEVEL_CONFIRM, LDA_CALIBRATION_CONFIRM, LANGUAGE_PICKER,
]
UPDATER_WINDOWS = [UPDATER, UPDATER_CONFIRM, UPDATER_DRIVER, UPDATER_SUCCESS, UPDATER_FAILURE]
ALL_WINDOWS = OPTION_WINDOWS + UPDATER_WINDOWS


def expanded_controls(win):
    """Controls with composite rows flattened to window coordinates."""
    out = []
    for c in win.controls:
        if c.kind == "dpirow":
            for k in c.opt["children"]:
                kk = Control(k.layout, k.kind, k.text, **k.opt)
                kk.x += c.x
                kk.y += c.y
                out.append(kk)
        else:
            out.append(c)
    return out
