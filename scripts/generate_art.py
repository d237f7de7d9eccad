#!/usr/bin/python3
"""Draws the cockpit's element bitmaps: every bitmap that an element record
of the module names, as src/resources/art/<id>.bmp.

    generate_art.py --records FILE --roles host/data/roles.txt [--out DIR]

FILE is what `catalogue --records` prints for the built module: every gauge's
element records (kind, bitmap, position, pivot, needle tables, drum ranges,
slider scales, string boxes) and its mouse areas. host/data/roles.txt names
what each element and area is ("BAT 1 ON", "GEN 1 OFF light", "N1 1
needle"). From the two the generator works out what each bitmap must show and
how big it must be:

  - switch positions cover their switch's mouse areas and show the lever in
    that position; lamps, flags, flow bars and messages are sized from the
    room around them on the panel;
  - needles point right, unturned, their shaft on the pivot's row, their tip
    at the distance of the table's points; pointers with a negative pivot are
    wedges at the rim; selector knobs turn about their pivot;
  - a drum window is one digit cell, sized from the spacing of the windows of
    its counter; its strip (the next number) holds a cell for each step of
    the window's range: eleven for 0 to 10, ten for 0 to 9;
  - a moving scale (TAPES) is a window and a strip marked along its travel;
  - flags, signs and annunciations named in PRINTED's symbols are their word
    on a plate of the size given there;
  - the pedestal levers' parts (LEVER_PARTS) are drawn seen from above, at
    the sizes that table gives;
  - a background holds everything its gauge draws over it, plus a margin,
    and carries the panel's printed legends: switch names and positions, lamp
    outlines, dial faces with their scales.

The printed texts that neither input holds (panel titles, dial legends and
scale units, selector positions) are the small table PRINTED below.

Pillow draws straight into 8-bit palette images with the one fixed palette
below and without antialiasing (text is rendered aliased too), so the same
inputs give the same bytes on every run: no colour quantisation, no dates,
no dictionary order in the output. Index 0 is pure black, which the simulator
draws transparent; nothing meant to be seen uses it.
"""
import argparse
import math
import os
import re
import struct
import sys

from PIL import Image, ImageDraw, ImageFont

FONT_DIR = "/usr/share/fonts/truetype/dejavu"

# --- Palette -------------------------------------------------------------------

# name: (r, g, b). Index 0 is transparent; the order fixes every index.
COLOURS = [
    ("clear", (0, 0, 0)),
    ("panel", (82, 96, 90)),          # the panels' grey-green paint
    ("panel_light", (118, 134, 126)),
    ("panel_dark", (56, 66, 62)),
    ("panel_shadow", (36, 42, 40)),
    ("engrave", (232, 234, 222)),     # captions engraved in the paint
    ("engrave_dim", (176, 182, 170)),
    ("face", (18, 18, 18)),           # dial faces
    ("face_rim", (70, 72, 72)),
    ("white", (246, 246, 240)),       # scale marks and numbers
    ("grey", (150, 150, 146)),
    ("dark", (8, 8, 8)),
    ("metal", (196, 198, 194)),       # switch levers
    ("metal_dark", (112, 114, 112)),
    ("knob", (28, 28, 28)),
    ("knob_edge", (90, 90, 90)),
    ("lens", (26, 24, 22)),           # lamp lenses, unlit
    ("lens_text", (104, 102, 96)),
    ("amber", (255, 176, 0)),
    ("red", (232, 44, 32)),
    ("green", (64, 226, 96)),
    ("blue", (96, 156, 255)),
    ("lamp_white", (250, 250, 236)),
    ("cyan", (0, 230, 240)),
    ("magenta", (236, 70, 220)),
    ("hyd_blue", (58, 110, 224)),     # the three hydraulic systems' colours
    ("hyd_green", (40, 176, 72)),
    ("hyd_yellow", (232, 204, 40)),
    ("flag_red", (204, 30, 30)),
    ("mask", (255, 255, 255)),        # drum windows: the shape the host clips to
    ("drum", (22, 22, 22)),
    ("orange", (255, 128, 0)),        # read-out colour of the test gauge
]
C = {name: i for i, (name, _) in enumerate(COLOURS)}


def palette_bytes():
    flat = []
    for _, rgb in COLOURS:
        flat.extend(rgb)
    # The unused entries: a grey ramp, never drawn with.
    for i in range(len(COLOURS), 256):
        v = 16 + (i * 239) // 255
        flat.extend((v, v, v))
    return flat


PALETTE = palette_bytes()

LAMP_COLOURS = [  # first keyword found in the legend decides the colour
    ("FIRE", "red"), ("GPWS", "red"), ("SMOKE", "red"),
    ("OFF", "amber"), ("FAULT", "amber"), ("LO", "amber"), ("FLAP", "amber"), ("OIL", "amber"),
    ("RESERVE", "amber"), ("TRANSIT", "amber"),
    ("AVAIL", "green"), ("OPEN", "green"), ("PRESS", "green"), ("START", "green"), ("ON", "green"),
    ("SUPPLY", "green"), ("RUN", "green"),
]

# --- What is printed on the panels ---------------------------------------------

# Per gauge, what the records and labels cannot tell:
#   title     lines engraved at the top of a switch panel or on a dial face
#   dial      scale legend lines, the divisor of the printed numbers, red arc
#   lb        the same for the pound face (an alternate background)
#   dial_at   where a face without a dial centres its legend lines: (x, y) a line
#   legends   a lamp's legend where it is not its label without "light"/"lamp"
#   lamp_colour, lamp_size  the lit colour and the size of every lamp of the gauge,
#             where its legends and the room around them do not give them
#   names     a switch's caption where the areas' labels do not give it
#   positions a rotary selector's position names, in table order
#   texts     further engraved words: (text, x, y)
#   numbers   False: a dial's scale without its numbers (a sweep hand's track)
#   fixture   a light fixture with nothing on it but its lamp, drawn on the background
#   labels    engraved words in a small bold font: (text, centre x, centre y, size)
#   slots     the slots the pedestal levers run in: (x0, y0, x1, y1)
#   ticks     engraved marks beside a lever's travel: (x0, x1, y)
#   colours   a lamp's lit colour by its legend, where its words do not give it
#   tracks    dark tracks that pointers and indicator levers move along: (x0, y0, x1, y1)
#   lines     engraved lines, such as a pointer's neutral mark: (x0, y0, x1, y1)
#   modulo    a dial turning more than once: its numbers are the values modulo this
#   descending_drums  labels (their first word) of drums whose digits run down the strip
#   strips    a drum strip's figures where they are not its window's range counted from 0, by label
#   knobs     round knobs drawn on the background: (centre x, centre y, radius)
#   symbols   flags, signs and annunciations drawn as a word on a plate, by label:
#             (text, (width, height), text colour, plate colour)
#   plain     mouse areas drawn as nothing (a press on a dial's face), by label
#   bezels    a round instrument's face under what turns on it: (centre x, centre y, radius)
#   pointers  a fixed index beside a moving scale: (tip x, tip y, "down" or "right")
PRINTED = {
    "toskelin n1_calc_rulo": {"legends": {"T.O. light": "", "FLX T.O. light": "", "GA light": "",
                                          "MCT light": "", "CL light": "", "CR light": "",
                                          "+ sign light": "+", "- sign light": "-"},
                              "symbols": {"mode legends": ("T.O.  FLX T.O.  GA    MCT  CL  CR", (100, 24),
                                                           "white", "clear"),
                                          "cover": ("", (162, 28), "white", "panel")}},
    "testgauge2k": {"legends": {"hidden icon": "TEST"}},
    "toskelin elec_batt_rulo": {"title": ["BAT"], "legends": {"REFUEL ON BAT": "REFUEL ON BAT",
                                                             "BAT SMOKE": "BAT SMOKE"}},
    "toskelin elec_sel_ind_dc_rulo": {"title": ["DC METER"],
                                      "positions": ["OFF", "ESS BUS", "TR 1", "ESS TR", "TR 2",
                                                    "BAT 1", "BAT 2", "BAT 3"]},
    "toskelin elec_ext_pwr_rulo": {"legends": {"AVAIL light": "AVAIL", "EXT PWR ON light": "ON",
                                               "EXT PWR AVAIL message": "EXT PWR AVAIL",
                                               "EXT PWR disconnected message": "EXT PWR DISCONNECTED",
                                               "NO EXT PWR message": "NO EXT PWR"}},
    "toskelin elec_sel_ind_ac_rulo": {"title": ["PHASE", "AC METER"],
                                      "positions": ["A", "B", "C"],
                                      "positions2": ["OFF", "EXT PWR", "ESS BUS", "EMRG BUS", "BUS 1",
                                                     "BUS 2", "GEN 1", "GEN 2", "APU GEN"]},
    "toskelin elec_dc_bus_rulo": {"title": ["DC BUS"], "names": {"DC TIE": "DC TIE"}},
    "toskelin elec_ac_bus_rulo": {"title": ["AC ESS FEED"],
                                  "positions": ["GEN 2", "GEN 1", "NORM", "APU GEN", "EMRG INV"]},
    "toskelin elec_gen_rulo": {},
    "toskelin elec_ind_dc_v_rulo": {"dial": ["DC", "V"]},
    "toskelin elec_ind_dc_amps_rulo": {"dial": ["BAT", "A x100"], "div": 100},
    "toskelin elec_ind_ac_v_rulo": {"dial": ["AC", "V"]},
    "toskelin elec_ind_ac_frq_rulo": {"dial": ["AC", "FREQ"], "div": 100},
    "toskelin elec_ind_ac_load1_rulo": {"dial": ["GEN 1", "%"]},
    "toskelin elec_ind_ac_load2_rulo": {"dial": ["GEN 2", "%"]},
    "toskelin elec_ind_ac_loadapu_rulo": {"dial": ["APU", "%"]},
    "toskelin apu_rulo": {"title": ["APU"],
                          "names": {"MASTER": "MASTER SWITCH", "FUEL PUMP": "FUEL PUMP",
                                    "CONTROL": "CONTRL SYS"},
                          "positions_of": {"CONTROL": ["OVR", "NOR", "STBY"], "FUEL PUMP": ["ON", "AUTO"],
                                           "MASTER": ["ON", "OFF"]},
                          "legends": {"APU START light": "START", "APU FIRE light": "APU FIRE",
                                      "APU STBY ON light": "STBY ON", "APU FUEL PRES LO light": "FUEL PRES LO",
                                      "APU OIL light": "OIL", "APU FAULT light": "FAULT",
                                      "APU FLAP light": "FLAP"},
                          "texts": [("AGT PRESS", 34, 2)]},
    "toskelin apu_ind_oil_rulo": {"dial": ["OIL QTY", "QT"], "div": 100},
    "toskelin apu_ind_n1_n2_rulo": {"div": 10, "texts": [("N1", 22, 36), ("N2", 68, 36), ("RPM%", 22, 46),
                                                           ("x10", 68, 46)]},
    "toskelin apu_ind_egt_rulo": {"dial": ["EGT", "t° x100"], "div": 100},
    "toskelin fuel_fuelused_rulo": {"texts": [("ENG.1", 60, 4), ("FUEL", 143, 4), ("ENG.2", 226, 4),
                                              ("FUEL USED", 260, 8), ("RESET", 260, 72)]},
    "toskelin fuel_valves_rulo": {"texts": [("CAUTION", 21, 0), ("TANK SHUT OFF VALVES", 50, 70),
                                            ("CROSS FEED", 139, 2), ("1", 52, 4), ("2", 230, 4)],
                                  "legends": {}},
    "toskelin fuel_pumps_left_rulo": {"title": ["PUMPS LH"]},
    "toskelin fuel_pumps_right_rulo": {"title": ["PUMPS RH"]},
    "toskelin fuel_pumps_center_rulo": {"texts": [("TANK SHUT OFF VALVES", 84, 0), ("LH", 48, 10),
                                                  ("RH", 127, 10), ("CTR TANK", 84, 48)]},
    "toskelin fuel_ind_fu_1_rulo": {"dial": ["FUEL USED", "kg"], "lb": ["FUEL USED", "lbs"]},
    "toskelin fuel_ind_fu_2_rulo": {"dial": ["FUEL USED", "kg"], "lb": ["FUEL USED", "lbs"]},
    "toskelin fuel_ind_qtty_m_left_rulo": {"dial": ["FUEL QTY", "kg x1000"], "div": 1000,
                                           "lb": ["FUEL QTY", "lbs x1000"]},
    "toskelin fuel_ind_qtty_m_right_rulo": {"dial": ["FUEL QTY", "kg x1000"], "div": 1000,
                                            "lb": ["FUEL QTY", "lbs x1000"]},
    "toskelin fuel_ind_qtty_a_center_rulo": {"dial": ["FUEL QTY", "kg x1000"], "div": 1000,
                                             "lb": ["FUEL QTY", "lbs x1000"]},
    "toskelin fuel_ind_qtty_a_left_rulo": {"dial": ["FUEL QTY", "kg x1000"], "div": 1000,
                                           "lb": ["FUEL QTY", "lbs x1000"]},
    "toskelin fuel_ind_qtty_a_right_rulo": {"dial": ["FUEL QTY", "kg x1000"], "div": 1000,
                                            "lb": ["FUEL QTY", "lbs x1000"]},
    "toskelin radio_com_rulo": {"strip_cells": {"hundredths": ["00", "25", "50", "75", "00"]},
                                "cell_width": {"hundredths": 11}, "lamp_size": (20, 6), "lamp_colour": "green",
                                "texts": [("COM 1", 27, 8), ("COM 2", 139, 8), ("TX", 83, 48), ("RX", 27, 134)],
                                "knobs": [(33, 65, 20), (133, 65, 20)]},
    "toskelin radio_snd_rulo": {"texts": [("INT", 31, 40), ("MKR", 31, 83), ("NAV 1", 75, 83), ("NAV 2", 119, 83),
                                          ("ADF", 75, 117), ("VOLUME", 119, 40)],
                                "knobs": [(119, 19, 12)]},
    "toskelin ap_crs_rulo": {"descending_drums": ["CRS"], "leading_zeros": True, "texts": [("CRS", 43, 48)],
                             "knobs": [(43, 139, 26)]},
    "toskelin ap_ats_rulo": {"descending_drums": ["SPEED"], "leading_zeros": True, "lamp_colour": "green",
                             "legends": {"SPD light": "SPD", "N1 light": "N1"},
                             "texts": [("SPEED", 35, 48), ("ATS", 110, 48)], "knobs": [(45, 139, 26)]},
    "toskelin ap_hdg_rulo": {"descending_drums": ["HDG"], "leading_zeros": True, "lamp_colour": "green",
                             "legends": {"NAV light": "NAV", "HDG light": "HDG"},
                             "texts": [("HDG", 55, 48)], "knobs": [(65, 139, 26)]},
    "toskelin plane_weight_rulo": {"dial": ["TOTAL WT", "kg x 1000"], "lb": ["TOTAL WT", "lbs x 1000"],
                                   "dial_at": [(74, 9), (74, 19)], "texts": [("TOTAL FUEL", 72, 57)],
                                   "knobs": [(71, 40, 13)],
                                   "symbols": {"OFF flag": ("OFF", (40, 14), "white", "flag_red")}},
    "toskelin fuel_qtty_reserve_1_rulo": {"legends": {"RESERVE 1 light": "RESERVE"}},
    "toskelin fuel_qtty_reserve_2_rulo": {"legends": {"RESERVE 2 light": "RESERVE"}},
    "toskelin fuel_qtty_test_rulo": {"title": ["QTY", "TEST"]},
    "toskelin hydrau_press_rulo": {"legends": {"ELEC PUMP lamp running": "ELEC PUMP",
                                               "ELEC PUMP lamp stopped": "ELEC PUMP",
                                               "PUMP TRANSIT lamp": "PUMP TRANSIT",
                                               "BLUE LO PRESS light": "LO PRESS",
                                               "GREEN LO PRESS light": "LO PRESS",
                                               "YELLOW LO PRESS light": "LO PRESS"},
                                   "texts": [("BLUE", 94, 188), ("GREEN", 177, 188), ("YELLOW", 260, 188)]},
    "toskelin hydrau_pumps_rulo": {"names": {"PUMP 1": "", "PUMP 2": "", "PUMP 3": "", "PUMP 4": "",
                                             "ELEC PUMP 1": "", "ELEC PUMP 2": ""},
                                   "texts": [("ELEC", 126, 71), ("PUMPS", 126, 81)]},
    "toskelin hydrau_baches_rulo": {"title": ["HYD RESERVOIRS %"],
                                    "texts": [("BLUE", 70, 122), ("GREEN", 171, 122), ("YELLOW", 272, 122)],
                                    "legends": {"reservoir lamp": "LO"}},
    "toskelin hydrau_ind_press_blue_rulo": {"dial": ["HYD", "PSI x1000"], "div": 1000},
    "toskelin hydrau_ind_press_green_rulo": {"dial": ["HYD", "PSI x1000"], "div": 1000},
    "toskelin hydrau_ind_press_yellow_rulo": {"dial": ["HYD", "PSI x1000"], "div": 1000},
    "toskelin servo_controls_rulo": {"title": ["SERVO CONTROLS"],
                                     "legends": {"BLUE PRESS lamp": "PRESS", "BLUE FAULT light": "FAULT",
                                                 "GREEN PRESS lamp": "PRESS", "GREEN FAULT light": "FAULT",
                                                 "YELLOW PRESS lamp": "PRESS", "YELLOW FAULT light": "FAULT"},
                                     "names": {"SERVO 1": "BLUE", "SERVO 2": "GREEN", "SERVO 3": "YELLOW"}},
    "toskelin rudder_travel_rulo": {"title": ["RUDDER TRAVEL"],
                                    "legends": {"RUDDER TRAVEL 1 FAULT light": "FAULT",
                                                "RUDDER TRAVEL 2 FAULT light": "FAULT"},
                                    "names": {"RUDDER TRAVEL 1": "SYS 1", "RUDDER TRAVEL 2": "SYS 2"}},
    "toskelin lo_spd_ail_rulo": {"title": ["LO SPD AIL"], "names": {"LO SPD AIL": ""},
                                 "legends": {"LO SPD AIL supply 1 inactive": "SUPPLY 1",
                                             "LO SPD AIL supply 1 active": "SUPPLY 1",
                                             "LO SPD AIL supply 2 inactive": "SUPPLY 2",
                                             "LO SPD AIL supply 2 active": "SUPPLY 2",
                                             "LO SPD AIL FAULT light": "FAULT"},
                                 "positions_of": {"LO SPD AIL": ["1", "NORMAL", "2"]}},
    "toskelin yaw_rulo": {"names": {"YAW DAMPER 1": "", "YAW DAMPER 2": "", "PITCH TRIM 1": "", "PITCH TRIM 2": ""},
                          "texts": [("YAW DAMPER 1 2", 47, 64), ("PITCH TRIM 1 2", 47, 73)]},
    "toskelin eng_start_rulo": {"title": ["ENG START"],
                                "positions": ["START B", "START A", "CRANK", "CONT A", "CONT B", "CONT AB"],
                                "legends": {"ENG 1 start button light": "START", "ENG 2 start button light": "START",
                                            "ENG 1 START VALVE OPEN": "START VALVE OPEN",
                                            "ENG 2 START VALVE OPEN": "START VALVE OPEN"},
                                "texts": [("ENG 1", 25, 96), ("ENG 2", 150, 96)]},
    "toskelin gpws_rulo": {"legends": {"GPWS light": "GPWS"}},
    "toskelin flt_deck_lt_rulo": {},
    "toskelin hp_lev_1_rulo": {},
    "toskelin hp_lev_2_rulo": {},
    "toskelin eng_ind_n1_1_rulo": {"dial": ["N1", "% RPM"], "red": 118},
    "toskelin eng_ind_n1_2_rulo": {"dial": ["N1", "% RPM"], "red": 118},
    "toskelin eng_ind_n2_1_rulo": {"dial": ["N2", "% RPM"], "red": 112},
    "toskelin eng_ind_n2_2_rulo": {"dial": ["N2", "% RPM"], "red": 112},
    "toskelin eng_ind_egt_1_rulo": {"dial": ["EGT", "°C x100"], "div": 100, "red": 950},
    "toskelin eng_ind_egt_2_rulo": {"dial": ["EGT", "°C x100"], "div": 100, "red": 950},
    "toskelin eng_ind_ff_1_rulo": {"dial": ["FF", "kg/h x1000"], "div": 1000, "lb": ["FF", "lbs/h x1000"]},
    "toskelin eng_ind_ff_2_rulo": {"dial": ["FF", "kg/h x1000"], "div": 1000, "lb": ["FF", "lbs/h x1000"]},
    "toskelin engomn_nac_temp_1_rulo": {"dial": ["NACELLE", "TEMP °C"]},
    "toskelin engomn_nac_temp_2_rulo": {"dial": ["NACELLE", "TEMP °C"]},
    "toskelin engomn_oil_press_1_rulo": {"dial": ["OIL PRES", "PSI"]},
    "toskelin engomn_oil_press_2_rulo": {"dial": ["OIL PRES", "PSI"]},
    "toskelin engomn_oil_temp_1_rulo": {"dial": ["OIL TEMP", "°C"], "shift": -50},
    "toskelin engomn_oil_temp_2_rulo": {"dial": ["OIL TEMP", "°C"], "shift": -50},
    "toskelin engomn_oil_qtty_1_rulo": {"dial": ["OIL QTY", "QT"]},
    "toskelin engomn_oil_qtty_2_rulo": {"dial": ["OIL QTY", "QT"]},
    "toskelin engomn_fuel_press_1_rulo": {"dial": ["FUEL PRES", "PSI"]},
    "toskelin engomn_fuel_press_2_rulo": {"dial": ["FUEL PRES", "PSI"]},
    "toskelin engomn_vib_rulo": {"title": ["VIB", "LEVEL"], "bars": ["1", "2"]},
    "toskelin engomn_vib_sw_rulo": {"title": ["ENG VIB", "PICK UP"], "names": {"VIB PICK UP": ""},
                                    "texts": [("TEST", 14, 50)]},
    "toskelin chrono_rulo": {"numbers": False,
                             "texts": [("ET", 37, 37), ("TEST", 139, 23), ("CHR", 136, 130), ("RUN", 11, 88),
                                       ("HLD", 10, 150), ("RST", 33, 142)]},
    "toskelin spd_brk_lev_rulo": {"slots": [(14, 14, 19, 100)],
                                  "ticks": [(1, 5, 19), (28, 32, 19), (1, 5, 51), (28, 32, 51), (1, 5, 84),
                                            (28, 32, 84)],
                                  "labels": [("SPEED", 16, 107, 7), ("BRAKE", 16, 115, 7)]},
    "toskelin throttles_rulo": {"slots": [(13, 8, 17, 100), (39, 8, 43, 100)],
                                "ticks": [(0, 3, 16), (55, 58, 16), (0, 3, 50), (55, 58, 50), (0, 3, 84),
                                          (55, 58, 84)]},
    "toskelin throttles_num_rulo": {"title": ["THR %"]},
    "toskelin flaps_lev_rulo": {"slots": [(19, 12, 23, 97)],
                                "ticks": [(3, 8, 15), (3, 8, 34), (3, 8, 53), (3, 8, 72), (3, 8, 91)],
                                "labels": [("0", 37, 15, 7), ("1", 37, 34, 7), ("2", 37, 53, 7), ("3", 37, 72, 7),
                                           ("4", 37, 91, 7), ("FLAPS", 21, 104, 7)]},
    "toskelin park_brk_lev_rulo": {"labels": [("SET", 33, 6, 7), ("PARK", 20, 33, 7), ("BRAKE", 20, 41, 7)]},
    "toskelin toggle_pan_rad_rulo": {"title": ["RADIOS"]},
    "toskelin toggle_pan_ped_rulo": {"title": ["PEDESTAL"]},
    "toskelin toggle_pan_fe_rulo": {"title": ["FLIGHT", "ENGINEER"]},
    "toskelin toggle_pan_gps_rulo": {"title": ["GPS"]},
    "toskelin toggle_pan_fail_rulo": {"title": ["FAILURES"]},
    "toskelin toggle_pan_up2_rulo": {"title": ["UPPER PANEL"]},
    "toskelin toggle_pan_ins_rulo": {"title": ["INS"]},
    "toskelin probes_heat_rulo": {"lamp_colour": "amber", "lamp_size": (42, 11),
                                  "legends": {"PITOT": "PITOT", "STAT LH": "STAT LH", "STAT RH": "STAT RH",
                                              "AOA": "AOA", "TAT": "TAT"},
                                  "texts": [("PROBE", 135, 130), ("HEAT", 135, 140)]},
    "toskelin wing_deice_rulo": {"title": ["WING DE ICE"], "legends": {"unused light": ""}, "lamp_size": (46, 14)},
    "toskelin nacelle_deice_rulo": {"title": ["NACELLE ANTI ICE"], "legends": {"TRANSIT light": "TRANSIT"}},
    "toskelin ext_lt_rulo": {},
    "toskelin signs_rulo": {"names": {"SEAT BELTS": "SEATB", "NO SMOKING": "NO SMOK."}},
    "toskelin map_lt_rulo": {"title": ["MAP LT"], "fixture": True},
    "toskelin flaps_ind_rulo": {"legends": {"CONFIG light": "T.O. CONFIG"},
                                "colours": {"T.O. CONFIG": "amber", "SLATS": "green"},
                                "tracks": [(12, 5, 18, 36), (44, 5, 50, 97)],
                                "texts": [("0", 26, 3), ("1", 26, 32), ("2", 26, 51), ("F", 26, 85),
                                          ("SLAT", 15, 98), ("FLAP", 47, 98)]},
    "toskelin surf_ind_rulo": {"legends": {"LO SPD AIL light": "LO SPD"},
                               "colours": {"PITCH": "amber"},
                               "tracks": [(8, 3, 12, 50), (24, 3, 28, 50), (8, 52, 12, 96), (24, 52, 28, 96),
                                         (40, 38, 46, 78), (29, 101, 80, 105)],
                               "lines": [(2, 74, 34, 74), (36, 64, 50, 64), (54, 98, 54, 108)],
                               "texts": [("SPLR", 16, 0), ("AIL", 16, 97), ("ELEV", 44, 28), ("RUD", 54, 84)]},
    "toskelin gear_ind_rulo": {"legends": {"lower light": "DOWN", "middle light": "GEAR", "upper light": "UNLK"},
                               "colours": {"DOWN": "green", "GEAR": "red", "UNLK": "amber"},
                               "texts": [("L", 12, 52), ("N", 36, 52), ("R", 59, 52)]},
    "toskelin gear_h_rulo": {"tracks": [(19, 8, 31, 156)],
                             "texts": [("UP", 9, 2), ("DN", 9, 152)]},
    "toskelin brakes_ind_rulo": {"dial": ["BRAKES", "PSI x1000"], "div": 10000},
    "toskelin alti_main_rulo": {"div": 10, "modulo": 100, "descending_drums": ["ALT"],
                                "colours": {"ALT ALERT": "amber"}, "knobs": [(36, 155, 25)],
                                "labels": [("MB", 91, 116, 7), ("IN", 137, 116, 7), ("BARO", 36, 122, 7)]},
    "toskelin alti_sec_rulo": {"div": 10, "modulo": 100, "descending_drums": ["ALT"],
                               "knobs": [(36, 155, 25)],
                               "labels": [("MB", 91, 116, 7), ("IN", 137, 116, 7), ("BARO", 36, 122, 7),
                                          ("STBY", 114, 70, 7)]},
    "toskelin asi_main_rulo": {"symbols": {"MACH failure flag": ("MACH", (33, 16), "white", "flag_red"),
                                           "IAS failure flag": ("IAS", (28, 11), "white", "flag_red"),
                                           "VMO failure flag": ("VMO", (28, 11), "white", "flag_red"),
                                           "power failure flag": ("OFF", (32, 11), "white", "flag_red"),
                                           "TAKEOFF preset annunciation": ("T.O.", (32, 11), "amber", "lens"),
                                           "APPROACH preset annunciation": ("APP", (32, 11), "amber", "lens")},
                               "plain": ["BUG PRESET dial centre"],
                               "texts": [("KNOTS", 92, 57), ("MACH", 92, 97), ("1", 28, 17), ("2", 156, 17),
                                         ("3", 156, 157), ("4", 28, 157)]},
    "toskelin asi_main2_rulo": {"symbols": {"MACH failure flag": ("MACH", (33, 16), "white", "flag_red"),
                                            "IAS failure flag": ("IAS", (28, 11), "white", "flag_red"),
                                            "VMO failure flag": ("VMO", (28, 11), "white", "flag_red"),
                                            "power failure flag": ("OFF", (32, 11), "white", "flag_red")},
                                "plain": ["BUG PRESET dial centre"],
                                "texts": [("KNOTS", 92, 57), ("MACH", 92, 97), ("1", 28, 17), ("2", 156, 17),
                                          ("3", 156, 157), ("4", 28, 157)]},
    "toskelin asi_sec_rulo": {"texts": [("KT", 45, 54)]},
    "toskelin vsi_rulo": {"dial": ["VERT SPEED", "FT/MIN x1000"], "div": 1000,
                          "symbols": {"VERTICAL SPEED failure flag": ("OFF", (26, 11), "white", "flag_red")}},
    "toskelin ap_alt_rulo": {"descending_drums": ["ALTITUDE"],
                             "symbols": {"ALTITUDE window backlight": ("", (84, 31), "white", "lamp_white")},
                             "colours": {"ALT HOLD": "green", "ALT": "green"},
                             "knobs": [(97, 139, 22)],
                             "texts": [("SELECTED ALT", 91, 40), ("- 10 FT +", 97, 104), ("- 100 FT +", 97, 162)]},
    "toskelin tas_rulo": {"title": ["TAS"], "texts": [("KT", 47, 16)],
                          "symbols": {"TAS failure flag": ("OFF", (33, 11), "white", "flag_red")}},
    "toskelin sat_rulo": {"title": ["SAT"], "texts": [("°C", 48, 16)],
                          "symbols": {"SAT minus sign": ("−", (9, 14), "white", "drum"),
                                      "SAT plus sign": ("+", (9, 14), "white", "drum"),
                                      "SAT failure flag": ("OFF", (33, 11), "white", "flag_red")}},
    "toskelin aoa_rulo": {"texts": [("AOA", 19, 28)], "lines": [(5, 15, 8, 15), (30, 15, 33, 15)],
                          "symbols": {"AOA failure flag": ("OFF", (30, 11), "white", "flag_red")}},
    "toskelin radio_nav_rulo": {"title": ["NAV"], "legends": {"NAV 1 indicator": "1", "NAV 2 indicator": "2"},
                                "strips": {"NAV 1 hundreds drum": [0, 1, 2, 3, 0], "NAV 2 hundreds drum": [0, 1, 2, 3, 0],
                                           "NAV 1 hundredths drum": [0, 2, 5, 7, 0],
                                           "NAV 2 hundredths drum": [0, 2, 5, 7, 0]},
                                "texts": [("MHz", 100, 46)]},
    "toskelin omi_rulo": {"title": ["MKR"], "legends": {"OM light": "OM", "MM light": "MM", "IM light": "IM"},
                          "colours": {"OM": "blue", "MM": "amber", "IM": "white"}},
    "toskelin radio_adf1_rulo": {"title": ["ADF"], "legends": {"ADF 1 picture": "ADF 1", "ADF 2 picture": "ADF 2"},
                                 "strips": {"ADF thousands drum": [0, 1, 0]}, "texts": [("kHz", 104, 103)]},
    "toskelin radio_tsp_rulo": {"title": ["ATC"], "leading_zeros": True,
                                "strips": {"XPDR thousands drum": [0, 1, 2, 3, 4, 5, 6, 7, 0],
                                           "XPDR hundreds drum": [0, 1, 2, 3, 4, 5, 6, 7, 0],
                                           "XPDR tens drum": [0, 1, 2, 3, 4, 5, 6, 7, 0],
                                           "XPDR units drum": [0, 1, 2, 3, 4, 5, 6, 7, 0]}},
    "toskelin ralt_rulo": {"lamp_size": (14, 10), "knobs": [(39, 140, 17)], "pointers": [(4, 54, "right")],
                           "texts": [("DH", 50, 103), ("FT", 50, 111)]},
    "toskelin ap_master_rulo": {"legends": {"FD 1 light": "FD 1", "FD 2 light": "FD 2", "SPEED light": "SPEED",
                                            "LAND light": "LAND", "LOC light": "LOC", "FD BASIC light": "BASIC",
                                            "MODE CANCEL light": "MODE CANCEL"},
                                "colours": {"FD 1": "green", "FD 2": "green", "SPEED": "green", "LAND": "green",
                                            "LOC": "green", "BASIC": "green", "MODE CANCEL": "amber"},
                                "symbols": {"PITCH magnifier": ("PITCH", (28, 26), "white", "face"),
                                            "PITCH magnifier index": ("SET", (28, 18), "white", "face")},
                                "plain": ["PITCH magnifier"]},
    "toskelin adi_sec_rulo": {"bezels": [(140, 140, 136)], "pointers": [(140, 7, "down")],
                              "texts": [("STBY", 30, 296), ("ATT", 30, 306)]},
    "toskelin adf_rulo": {"symbols": {"ADF cover": ("ADF", (22, 10), "white", "face"),
                                      "ADF flag": ("ADF", (30, 12), "white", "flag_red")}},
    "toskelin rmi_rulo": {"symbols": {"DME 1 cover": ("DME 1", (40, 14), "white", "face"),
                                      "DME 2 cover": ("DME 2", (40, 14), "white", "face"),
                                      "DME 1 no signal flag": ("NO SIG", (40, 10), "white", "flag_red"),
                                      "DME 2 no signal flag": ("NO SIG", (40, 10), "white", "flag_red"),
                                      "RMI bezel": ("RMI", (22, 10), "white", "face"),
                                      "RMI flag": ("HDG", (30, 12), "white", "flag_red"),
                                      "RMI 2 supply flag": ("2", (14, 12), "white", "flag_red"),
                                      "RMI 1 supply flag": ("1", (14, 12), "white", "flag_red")}},
    "toskelin hsi_rulo": {"symbols": {"VOR legend": ("VOR", (26, 12), "white", "face"),
                                      "ILS legend": ("ILS", (26, 12), "white", "face"),
                                      "HSI flag": ("HDG", (30, 12), "white", "flag_red"),
                                      "GS pointer": ("◆", (12, 12), "amber", "clear"),
                                      "GS flag": ("GS", (20, 12), "white", "flag_red"),
                                      "AIRCRAFT symbol": ("✈", (24, 24), "amber", "clear"),
                                      "DME flag": ("DME", (30, 14), "white", "flag_red"),
                                      "GPS annunciator": ("GPS", (30, 12), "amber", "face")}},
}

# Slider travel in pixels of the element's own axis (value x scale), where
# the records give only the scale: the servo levers' bottom stop, the
# vibration bars' full scale (10 units, 4 pixels each, drawn upwards).
SLIDER_TRAVEL = {
    "toskelin servo_controls_rulo": (0, 57),
    "toskelin engomn_vib_rulo": (-40, 0),
    "toskelin hsi_rulo": (-50, 50),
}

# The pedestal levers' parts, seen from above, by gauge and label: what the
# part is, its bitmap's size and, for a slider, its travel in pixels along
# its axis (its value range times its scale; the throttles' reverse stops at
# -0.25).
LEVER_PARTS = {
    ("toskelin spd_brk_lev_rulo", "SPEED BRAKE handle"): ("grip", (21, 20), (0, 65)),
    ("toskelin spd_brk_lev_rulo", "SPEED BRAKE lever"): ("stem", (15, 10), (0, 65)),
    ("toskelin spd_brk_lev_rulo", "SPEED BRAKE armed lever"): ("armed_grip", (27, 21), None),
    ("toskelin throttles_rulo", "THROTTLE 1 lever"): ("shaft", (12, 20), (-53, 13)),
    ("toskelin throttles_rulo", "THROTTLE 2 lever"): ("shaft", (12, 20), (-53, 13)),
    ("toskelin throttles_rulo", "THROTTLE 1 handle"): ("throttle_handle", (25, 10), (-68, 17)),
    ("toskelin throttles_rulo", "THROTTLE 2 handle"): ("throttle_handle", (25, 10), (-68, 17)),
    ("toskelin flaps_lev_rulo", "FLAP lever"): ("flap_handle", (22, 12), (0, 77)),
    ("toskelin park_brk_lev_rulo", "PARK BRAKE released"): ("park_down", (30, 12), None),
    ("toskelin park_brk_lev_rulo", "PARK BRAKE set"): ("park_up", (10, 26), None),
}

# Sliders and masks whose records give no more than a scale: per gauge and
# label, the bitmap's size, how far the values their gauge gives move them
# from their place (pixels of the gauge: least and most on x, then on y),
# and what they show.
SLIDERS = {
    ("toskelin flaps_ind_rulo", "FLAP lever pointer"): ((8, 5), (0, 0, 0, 82), "pointer"),
    ("toskelin flaps_ind_rulo", "FLAP strip"): ((14, 5), (0, 0, -82, 0), "bar"),
    ("toskelin flaps_ind_rulo", "SLAT strip"): ((14, 5), (0, 0, -20, 0), "bar"),
    ("toskelin surf_ind_rulo", "LEFT SPOILER pointer"): ((12, 5), (0, 0, -36, 0), "bar"),
    ("toskelin surf_ind_rulo", "RIGHT SPOILER pointer"): ((12, 5), (0, 0, -36, 0), "bar"),
    ("toskelin surf_ind_rulo", "LEFT AILERON pointer"): ((12, 5), (0, 0, -19, 19), "bar"),
    ("toskelin surf_ind_rulo", "RIGHT AILERON pointer"): ((12, 5), (0, 0, -19, 19), "bar"),
    ("toskelin surf_ind_rulo", "RUDDER pointer"): ((5, 10), (-23, 23, 0, 0), "bar"),
    ("toskelin surf_ind_rulo", "ELEVATOR pointer"): ((12, 5), (0, 0, -24, 11), "bar"),
    ("toskelin surf_ind_rulo", "PITCH pointer"): ((20, 5), (0, 0, -19, 6), "pitch_pointer"),
    ("toskelin surf_ind_rulo", "PITCH strip"): ((20, 36), (0, 0, -36, -6), "pitch_tape"),
    ("toskelin surf_ind_rulo", "PITCH strip mask"): ((29, 68), (0, 0, 0, 0), "mask"),
    ("toskelin gear_h_rulo", "GEAR lever"): ((50, 53), (0, 0, 0, 111), "gear_lever"),
    ("toskelin gear_h_rulo", "GEAR lever panel lit"): ((50, 53), (0, 0, 0, 111), "gear_lever"),
    ("toskelin gear_h_rulo", "GEAR lever deck lit"): ((50, 53), (0, 0, 0, 111), "gear_lever"),
    ("toskelin adi_sec_rulo", "ATT flag"): ((44, 18), (0, 0, 0, 0), "att_flag"),
    ("toskelin adi_sec_rulo", "SYMBOL knob"): ((52, 52), (0, 0, 0, 0), "round_knob"),
    ("toskelin adi_sec_rulo", "SYMBOL knob panel lit"): ((52, 52), (0, 0, 0, 0), "round_knob"),
    ("toskelin adi_sec_rulo", "SYMBOL knob deck lit"): ((52, 52), (0, 0, 0, 0), "round_knob"),
    # The attitude director: command bars 16 (sideways) and 12 (up and down)
    # pixels a unit of their travel (1 to 11, stowed at 14 or -4, off the
    # sphere under the bezel), the
    # deviation and speed pointers, the turn and sideslip indices, the flags.
    ("toskelin adi_fd_rulo", "ROLL command bar"): ((4, 150), (16, 224, 0, 0), "command_bar"),
    ("toskelin adi_fd_rulo", "PITCH command bar"): ((150, 4), (0, 0, -48, 132), "command_bar"),
    ("toskelin adi_fd_rulo", "ROLLOUT command bar"): ((4, 18), (16, 224, 0, 0), "command_bar"),
    ("toskelin adi_fd_rulo", "LOC pointer"): ((8, 9), (0, 114, 0, 0), "pointer_up"),
    ("toskelin adi_fd_rulo", "GS pointer"): ((9, 8), (0, 0, 0, 120), "pointer_left"),
    ("toskelin adi_fd_rulo", "SPEED pointer"): ((9, 8), (0, 0, 42, 122), "pointer"),
    ("toskelin adi_fd_rulo", "TURN index"): ((6, 8), (-42, 42, 0, 0), "bar"),
    ("toskelin adi_fd_rulo", "SIDESLIP ball"): ((8, 8), (-20, 20, 0, 0), "ball"),
    ("toskelin adi_fd_rulo", "ADI bezel"): ((334, 267), (0, 0, 0, 0), "adi_bezel"),
    ("toskelin adi_fd_rulo", "ATT flag"): ((44, 18), (0, 0, 0, 0), "att_flag"),
    ("toskelin adi_fd_rulo", "LOC flag"): ((44, 18), (0, 0, 0, 0), "att_flag"),
    ("toskelin adi_fd_rulo", "GS flag"): ((44, 18), (0, 0, 0, 0), "att_flag"),
}

# Moving images and sprites whose picture is not a digit strip: per gauge and
# label, the window's size (the shape the host clips the picture to), the
# picture's size and what it shows. A moving image's picture travels its
# height less the window's over the element's range; a sprite's picture is
# centred on the pivot, turned and moved there.
WINDOWS = {
    # The radio altimeter's tape, 0.4 pixel a foot: 2610 ft at the window's
    # middle at the start of the range, 0 at its end.
    ("toskelin ralt_rulo", "RA tape"): ((24, 92), (24, 92 + 1044), "ra_tape"),
    # The decision-height index on the tape's scale: 200 pixels for the
    # index's 500 ft, the mark in the middle of the window at the end.
    ("toskelin ralt_rulo", "DH index"): ((10, 92), (10, 92 + 200), "dh_index"),
    # The standby horizon: the sphere 2 pixels a degree of pitch, enough of it
    # for 43 degrees either way under a window 110 pixels round; the bank
    # scale a ring about the same centre; the aircraft symbol, 1 pixel a unit
    # of its 30.
    ("toskelin adi_sec_rulo", "SPHERE"): ((220, 220), (224, 396), "sphere"),
    ("toskelin adi_sec_rulo", "BANK SCALE"): ((262, 262), (262, 262), "bank_scale"),
    ("toskelin adi_sec_rulo", "AIRCRAFT SYMBOL"): ((160, 44), (160, 74), "aircraft_symbol"),
    # The attitude director's sphere, drawn as the standby's.
    ("toskelin adi_fd_rulo", "SPHERE"): ((220, 220), (224, 396), "sphere"),
    # The compass cards of the navigation indicators, north up at 0, under
    # round windows; the HSI's deviation bar with its dots, turned with the
    # course; the standby compass's strip, 2 pixels a degree, moved by 360
    # less the heading (so that east lies left of north, as on a wet
    # compass).
    ("toskelin adf_rulo", "ADF card"): ((128, 128), (128, 128), "compass_card"),
    ("toskelin rmi_rulo", "RMI card"): ((120, 120), (120, 120), "compass_card"),
    ("toskelin hsi_rulo", "HSI card"): ((200, 200), (200, 200), "compass_card"),
    ("toskelin hsi_rulo", "DEVIATION bar"): ((140, 140), (140, 140), "deviation_bar"),
    ("toskelin compass_rulo", "COMPASS strip"): ((60, 24), (60 + 720, 24), "compass_strip"),
}

# Moving scales: a strip that slides under its window (a moving image whose
# range is the scale's travel), per gauge and label: the window's size, the
# strip's pixels a unit of travel, and the values marked every unit, with a
# number every `numbered` units.
TAPES = {
    ("toskelin aoa_rulo", "AOA scale"): {"window": (16, 22), "pixels_per_unit": 2, "numbered": 5},
    # The autopilot's pitch wheel: its travel is 25 less the setting, so its
    # marks read the setting, +25 at the start down to -10 at the end.
    ("toskelin ap_master_rulo", "PITCH wheel"): {"window": (24, 104), "pixels_per_unit": 4, "numbered": 5,
                                                 "reads": (25, -1)},
}

MARGIN = 4  # around everything a background holds

# Lit segments of a digital display, by the last word of their label: the
# marks under a window and the dots of a colon.
SEGMENT_SIZES = {"mark": (8, 3), "dot": (3, 3)}
# A gauge as wide as the panel is an overlay drawn over the whole panel (the
# instrument lighting): its bitmaps are the panel's size, and mostly clear.
OVERLAY_SIZE = (1280, 1024)

# --- Reading the inputs ----------------------------------------------------------


class Element:
    def __init__(self, **kw):
        self.__dict__.update(kw)
        self.points = []
        self.moving = None
        self.slider = None
        self.string_box = None
        self.label = ""


class Area:
    def __init__(self, index, x, y, w, h, label):
        self.index, self.x, self.y, self.w, self.h, self.label = index, x, y, w, h, label

    @property
    def box(self):
        return (self.x, self.y, self.x + self.w, self.y + self.h)


class Gauge:
    def __init__(self, name, width):
        self.name, self.width = name, width
        self.elements, self.areas = [], []
        self.labelled = False

    @property
    def short_name(self):
        n = self.name.split(" ", 1)[-1]
        return n[:-5] if n.endswith("_rulo") else n


RE_GAUGE = re.compile(r'gauge "([^"]+)": .* width (\d+) mm')
RE_ELEMENT = re.compile(r"\s+element ([\d.]+): kind (\d+) bitmap (\d+) at \((-?\d+), (-?\d+)\) "
                        r"pivot \((-?\d+), (-?\d+)\) flags 0x([0-9A-Fa-f]+)")
RE_POINT = re.compile(r"\((-?\d+), (-?\d+)\) (-?[\d.]+)")
RE_MOVING = re.compile(r"\s+moving: x (?:value callback (\d+) (-?[\d.]+) to (-?[\d.]+)|none)"
                       r", y (?:value callback (\d+) (-?[\d.]+) to (-?[\d.]+)|none)")
RE_SLIDER = re.compile(r"\s+slider: x (?:value callback \d+|none) scale (-?[\d.]+), "
                       r"y (?:value callback \d+|none) scale (-?[\d.]+)")
RE_STRING = re.compile(r"\s+string: .*box (\d+) x (\d+)")
RE_MOUSE = re.compile(r"\s+mouse \d+: kind (\d+) box \((-?\d+), (-?\d+), (-?\d+), (-?\d+)\)")
RE_ROLE = re.compile(r'"([^"]+)" (area )?(\d+) "([^"]*)"')


def read_roles(path):
    elements, areas = {}, {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            m = RE_ROLE.match(line)
            if m:
                (areas if m[2] else elements)[(m[1], int(m[3]))] = m[4]
    return elements, areas


def read_records(path, roles):
    element_roles, area_roles = roles
    gauges, g = [], None
    with open(path, encoding="utf-8") as f:
        for line in f:
            m = RE_GAUGE.match(line)
            if m:
                g = Gauge(m[1], int(m[2]))
                gauges.append(g)
                continue
            m = RE_ELEMENT.match(line)
            if m:
                path_ = m[1]
                depth = path_.count(".")
                # The test gauge's background has its children side by side.
                index = int(path_.split(".")[1]) + 1 if depth == 1 and g.name == "testgauge2k" else depth
                flags = int(m[8], 16)
                e = Element(index=index, kind=int(m[2]), bitmap=int(m[3]), x=int(m[4]), y=int(m[5]),
                            px=int(m[6]), py=int(m[7]), hidden=bool(flags & 0x40000000), gauge=g)
                e.label = element_roles.get((g.name, index), "background" if index == 0 else "")
                g.elements.append(e)
                continue
            e = g.elements[-1] if g and g.elements else None
            if line.lstrip().startswith("needle:"):
                e.points = [(int(a), int(b), float(v)) for a, b, v in RE_POINT.findall(line.split("points:")[1])]
                continue
            m = RE_MOVING.match(line)
            if m:
                e.moving = {"y_callback": m[4], "y": (float(m[5] or 0), float(m[6] or 0))}
                continue
            m = RE_SLIDER.match(line)
            if m:
                e.slider = (float(m[1]), float(m[2]))
                continue
            m = RE_STRING.match(line)
            if m:
                e.string_box = (int(m[1]), int(m[2]))
                continue
            m = RE_MOUSE.match(line)
            if m and int(m[1]) == 2:
                n = len(g.areas)
                g.areas.append(Area(n, int(m[2]), int(m[3]), int(m[4]), int(m[5]),
                                    area_roles.get((g.name, n), "")))
    for g in gauges:
        g.labelled = any(k[0] == g.name for k in element_roles) or any(k[0] == g.name for k in area_roles)
    return gauges


# --- Geometry helpers ------------------------------------------------------------


def union(boxes):
    boxes = list(boxes)
    return (min(b[0] for b in boxes), min(b[1] for b in boxes), max(b[2] for b in boxes), max(b[3] for b in boxes))


def overlaps(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


def inside(point, box, slack=0):
    return box[0] - slack <= point[0] < box[2] + slack and box[1] - slack <= point[1] < box[3] + slack


def point_angle(e, p):
    """Degrees clockwise from pointing right, as the host computes them."""
    return math.degrees(math.atan2(p[1] - e.y, p[0] - e.x))


def sweep_angles(e):
    """Every whole degree the needle passes through, turning the short way
    between neighbouring table points, as the host does."""
    angles = [point_angle(e, p) for p in e.points]
    out = [angles[0]]
    for a, b in zip(angles, angles[1:]):
        turn = b - a
        if turn > 180:
            turn -= 360
        if turn < -180:
            turn += 360
        steps = max(1, int(abs(turn)))
        start = out[-1]
        out.extend(start + turn * i / steps for i in range(1, steps + 1))
    return out


def needle_length(e):
    return sum(math.hypot(p[0] - e.x, p[1] - e.y) for p in e.points) / len(e.points)


def turned_box(e, size, bbox=None):
    """The box a needle bitmap of `size` (or the part `bbox` of it) covers
    over its whole sweep, in the gauge's pixels."""
    w, h = size
    x0, y0, x1, y1 = bbox if bbox else (0, 0, w, h)
    corners = [(x - e.px, y - e.py) for x in (x0, x1) for y in (y0, y1)]
    xs, ys = [], []
    for a in sweep_angles(e):
        c, s = math.cos(math.radians(a)), math.sin(math.radians(a))
        for cx, cy in corners:
            xs.append(e.x + cx * c - cy * s)
            ys.append(e.y + cx * s + cy * c)
    return (math.floor(min(xs)), math.floor(min(ys)), math.ceil(max(xs)), math.ceil(max(ys)))


# --- Fonts and text ----------------------------------------------------------------

_fonts = {}


def font(size, bold=False, condensed=True):
    key = (size, bold, condensed)
    if key not in _fonts:
        name = "DejaVuSans" + ("Condensed" if condensed else "") + ("-Bold" if bold else "") + ".ttf"
        _fonts[key] = ImageFont.truetype(os.path.join(FONT_DIR, name), size)
    return _fonts[key]


def text_size(text, f):
    l, t, r, b = f.getbbox(text)
    return r - l, f.size


def wrap(text, f, width):
    """Greedy word wrap; returns the lines or None when a word is too long."""
    lines, line = [], ""
    for word in text.split():
        trial = (line + " " + word).strip()
        if text_size(trial, f)[0] <= width:
            line = trial
        elif line and text_size(word, f)[0] <= width:
            lines.append(line)
            line = word
        else:
            return None
    lines.append(line)
    return lines


def fit(text, w, h, sizes=(9, 8, 7, 6), bold=True):
    """The largest font and wrapping that set `text` inside w x h."""
    for size in sizes:
        f = font(size, bold)
        lines = wrap(text, f, w)
        if lines and len(lines) * (size + 1) - 1 <= h:
            return f, lines
    f = font(sizes[-1], bold)
    return f, wrap(text, f, 10 ** 6)


def draw_lines(d, lines, f, cx, cy, colour):
    """Lines centred on (cx, cy)."""
    step = f.size + 1
    top = cy - (len(lines) * step - 1) / 2
    for i, line in enumerate(lines):
        l, t, r, b = f.getbbox(line)
        x = round(cx - (r - l) / 2 - l)
        y = round(top + i * step + (step - 1 - f.size) / 2) - round(f.size * 0.12)
        d.text((x, y), line, fill=C[colour], font=f)


def draw_text_in(d, text, box, colour, sizes=(9, 8, 7, 6), bold=True):
    x0, y0, x1, y1 = box
    f, lines = fit(text, x1 - x0, y1 - y0, sizes, bold)
    draw_lines(d, lines, f, (x0 + x1) / 2, (y0 + y1) / 2, colour)


def text_box(text, f, cx, cy):
    w, h = text_size(text, f)
    return (round(cx - w / 2) - 1, round(cy - h / 2) - 1, round(cx + w / 2) + 1, round(cy + h / 2) + 1)


def new_image(w, h, fill="clear"):
    img = Image.new("P", (w, h), C[fill])
    img.putpalette(PALETTE)
    d = ImageDraw.Draw(img)
    d.fontmode = "1"
    return img, d


# --- What each element is -----------------------------------------------------------

LAMP_WORDS = (" light", " lamp", "FAULT", " legend lit", " legend other", " supply ", "START VALVE OPEN",
              "REFUEL ON BAT", "BAT SMOKE", "hidden icon")
UNLIT_WORDS = ("other", "inactive", "stopped")
LEGEND_SUFFIXES = (" lamp lit", " lamp other", " legend lit", " legend other", " lamp running",
                   " lamp stopped", " inactive", " active", " light", " lamp")


def family_of(e):
    """The kind of picture an element's bitmap is, from its kind and label."""
    lab = e.label
    if "overlay" in lab:
        return "overlay"
    if e.kind == 0:
        return "background"
    if lab in printed(e.gauge, "symbols", {}):
        return "symbol"
    if (e.gauge.name, lab) in TAPES:
        return "tape"
    if (e.gauge.name, lab) in LEVER_PARTS:
        return "lever_part"
    if (e.gauge.name, lab) in SLIDERS:
        return "shaped"
    if (e.gauge.name, lab) in WINDOWS:
        return "window"
    if e.kind == 1:
        if e.px < 0:
            return "pointer"
        if "limit pointer" in lab:
            return "limit"
        if "knob" in lab or "selector" in lab:
            return "knob"
        return "needle"
    if e.kind == 3:
        return "lever" if "lever" in lab else "bar"
    if e.kind == 5:
        return "drum"
    if e.kind == 6:
        return "sprite"
    if e.x == 0 and e.y == 0 and re.search(r"\blb\b|lb/h", lab):
        return "alt_face"
    if "bar in line" in lab or "bar crossed" in lab:
        return "flow_bar"
    if re.search(r"knob (open|shut|closed)", lab):
        return "valve_knob"
    if re.search(r"line (open|shut|from)|lines closed", lab):
        return "valve_line"
    if re.search(r" hatch$| window flag$", lab):
        return "window_cover"
    if "OFF flag" in lab:
        return "off_flag"
    if "flag" in lab:
        return "flow_flag"
    if "message" in lab:
        return "message"
    if lab.rsplit(" ", 1)[-1] in SEGMENT_SIZES:
        return "segment"
    if "cover" in lab:
        return "cover"
    if "lever legend" in lab:
        return "servo_legend"
    if lab.startswith("HP LEVER"):
        return "hp_lever"
    if any(w in lab for w in LAMP_WORDS):
        return "lamp"
    return "switch"


class SwitchGroup:
    """Mouse areas stacked one above the other: the bands of one switch."""

    def __init__(self, areas):
        self.areas = sorted(areas, key=lambda a: a.y)
        self.box = union(a.box for a in self.areas)
        words = [a.label.split() for a in self.areas]
        common = []
        for column in zip(*words):
            if all(w == column[0] for w in column):
                common.append(column[0])
            else:
                break
        if len(self.areas) == 1:
            common = words[0]
        self.name = " ".join(common)
        self.positions = [" ".join(w[len(common):]) for w in words]
        self.icons = []


def switch_groups(g):
    groups = [[a] for a in g.areas]
    merged = True
    while merged:
        merged = False
        for i in range(len(groups)):
            for j in range(len(groups)):
                if i == j:
                    continue
                a, b = union(x.box for x in groups[i]), union(x.box for x in groups[j])
                gap = b[1] - a[3]
                across = min(a[2], b[2]) - max(a[0], b[0])
                if -2 <= gap <= 1 and across >= 0.5 * min(a[2] - a[0], b[2] - b[0]):
                    groups[i] += groups[j]
                    del groups[j]
                    merged = True
                    break
            if merged:
                break
    out = [SwitchGroup(x) for x in groups]
    for e in g.elements:
        if e.family in ("switch", "knob_pose", "servo_legend", "hp_lever", "valve_knob"):
            for slack in (0, 2):
                # A digit window under the halves of a knob (a clock's
                # setting knob) is no position of it.
                hits = [s for s in out if inside((e.x, e.y), s.box, slack)
                        and not (e.kind == 2 and KNOB_AREA.search(s.name))]
                if hits:
                    hits[0].icons.append(e)
                    e.group = hits[0]
                    break
    return sorted(out, key=lambda s: (s.box[1], s.box[0]))


def printed(g, key, default=None):
    return PRINTED.get(g.name, {}).get(key, default)


def legend_of(e):
    g = e.gauge
    table = printed(g, "legends", {})
    if e.label in table:
        return table[e.label]
    for key, text in table.items():
        if key in e.label:
            return text
    text = e.label
    for suffix in LEGEND_SUFFIXES:
        if text.endswith(suffix):
            text = text[: -len(suffix)]
            break
    return text.upper()


def lamp_colour(legend, unlit):
    if unlit:
        return "lens_text"
    for word, colour in LAMP_COLOURS:
        if word in legend.split() or word in legend:
            return colour
    return "lamp_white"


# --- Sizes ------------------------------------------------------------------------------


class Art:
    """Every bitmap to draw: its family, size and the elements that use it."""

    def __init__(self, gauges):
        self.gauges = gauges
        self.uses = {}
        for g in gauges:
            for e in g.elements:
                e.family = family_of(e)
                e.group = None
                if e.kind == 2:
                    continue
                self.uses.setdefault(e.bitmap, []).append(e)
        for bmp, uses in self.uses.items():
            if uses[0].family == "switch" and len(uses) > 1:
                for e in uses:
                    e.family = "knob_pose"
        for g in gauges:
            g.groups = switch_groups(g)
        self.size = {}
        self.notes = []

    def family(self, bmp):
        return self.uses[bmp][0].family

    def box(self, e):
        """What an element covers in its gauge, over all it can do."""
        w, h = self.size[e.bitmap]
        if e.kind == 1:
            return turned_box(e, (w, h))
        if e.family == "shaped":
            x0, x1, y0, y1 = SLIDERS[(e.gauge.name, e.label)][1]
            return (e.x + x0, e.y + y0, e.x + w + x1, e.y + h + y1)
        if e.kind == 3:
            part = LEVER_PARTS.get((e.gauge.name, e.label))
            lo, hi = part[2] if part else SLIDER_TRAVEL.get(e.gauge.name, (0, 0))
            return (e.x, e.y + lo, e.x + w, e.y + hi + h)
        return (e.x, e.y, e.x + w, e.y + h)

    # Drum windows: a digit cell as wide as the spacing of the counter's windows.
    def size_drums(self):
        widths = {}
        for bmp, uses in self.uses.items():
            if self.family(bmp) != "drum":
                continue
            # A counter's last window that is a drum of its own (a radio's
            # channel) has no window to its right to take its width from.
            fixed = [printed(e.gauge, "cell_width", {}).get(e.label.rsplit(" ", 1)[-1]) for e in uses]
            if any(fixed):
                widths[bmp] = min(f for f in fixed if f)
                continue
            room = []
            for e in uses:
                right = [o.x - e.x for o in e.gauge.elements
                         if o.kind == 5 and o.x > e.x and abs(o.y - e.y) <= 3
                         and o.moving["y_callback"] != e.moving["y_callback"]]
                if right:
                    room.append(min(right) - 1)
            if not room:
                # Only ever the last window of its counter (a radio's
                # hundredths, on a strip of its own): as wide as the
                # counter's other windows.
                e = uses[0]
                room = [o.x - p.x - 1 for p in e.gauge.elements for o in e.gauge.elements
                        if p.kind == 5 and o.kind == 5 and o.x > p.x and abs(o.y - p.y) <= 3
                        and abs(p.y - e.y) <= 3]
            widths[bmp] = min(room)
        for bmp, w in sorted(widths.items()):
            h = (3 * w + 1) // 2
            self.size[bmp] = (w, h)
            self.size[bmp + 1] = (w, drum_cells(self.uses[bmp][0]) * h)

    # Windows over moving pictures: the window, and the picture as the next bitmap.
    def size_windows(self):
        for bmp, uses in self.uses.items():
            if self.family(bmp) == "window":
                window, picture, _ = WINDOWS[(uses[0].gauge.name, uses[0].label)]
                self.size[bmp] = window
                self.size[bmp + 1] = picture

    def size_lever_parts(self):
        for bmp, uses in self.uses.items():
            if self.family(bmp) == "lever_part":
                self.size[bmp] = LEVER_PARTS[(uses[0].gauge.name, uses[0].label)][1]

    # Needles: tip at the table's distance; the pivot's row is the shaft.
    def size_needles(self):
        for bmp, uses in self.uses.items():
            fam = self.family(bmp)
            if fam not in ("needle", "pointer", "limit", "knob"):
                continue
            length = max(round(needle_length(e)) for e in uses)
            px = max(e.px for e in uses)
            py = max(e.py for e in uses)
            # The bitmap reaches one pixel past the tip, unless a dial's
            # scale runs along the gauge's top or left edge: there the
            # bitmap, turned to each point, must still start on the gauge.
            reach = length + 1
            while reach > 2 and not all(self.fits_at_points(e, px, py, reach) for e in uses):
                reach -= 1
            if reach < length + 1:
                self.notes.append(f"{bmp}: needle cut to {reach - 1} of {length} pixels, its dial's scale "
                                  "touching the gauge's edge")
            self.size[bmp] = (max(px + reach, 3), 2 * py + 1)
            for e in uses:
                e.length = reach - 1

    @staticmethod
    def fits_at_points(e, px, py, reach):
        """The needle's bitmap, turned to every point of its table, starts
        within the gauge (half a pixel of slack)."""
        for p in e.points:
            a = math.radians(point_angle(e, p))
            c, s = math.cos(a), math.sin(a)
            for x in (-px, reach):
                for y in (-py, py + 1):
                    if e.x + x * c - y * s < -0.5 or e.y + x * s + y * c < -0.5:
                        return False
        return True

    # Switch positions.
    def size_switches(self):
        for bmp, uses in self.uses.items():
            fam = self.family(bmp)
            if fam in ("switch", "servo_legend", "hp_lever"):
                sizes = set()
                for e in uses:
                    if e.group is None:
                        raise SystemExit(f"{e.gauge.name}: {e.label} lies in no mouse area")
                    b = e.group.box
                    span = abreast_span(e)
                    sizes.add(((span[1] if span else b[2]) - e.x, b[3] - e.y))
                self.size[bmp] = (min(s[0] for s in sizes), min(s[1] for s in sizes))
            elif fam == "knob_pose":
                self.size_shared_knob(bmp, uses)

    def size_shared_knob(self, bmp, uses):
        """A knob drawn for several switches: its pose (up, middle, down)
        from where it stands among the other positions of the switch that
        has most of them; its size from the smallest room it gets."""
        best, widths, heights = None, [], []
        grouped = [e for e in uses if e.group is not None]
        for e in grouped:
            ys = sorted({o.y for o in e.group.icons})
            if best is None or len(ys) > len(best[1]):
                best = (e, ys)
        e, ys = best
        rank = ys.index(e.y)
        pose = "up" if rank == 0 else ("down" if rank == len(ys) - 1 else "middle")
        for e in grouped:
            others = [o for o in e.gauge.elements if o.family in ("switch", "knob_pose") and o.group
                      and o.group is not e.group and abs(o.y - e.y) < 20 and o.x > e.x]
            room = e.group.box[2] - e.x
            if others:
                room = min(room, min(o.x for o in others) - e.x - 2)
            widths.append(room)
            nut = max(o.y for o in e.group.icons)
            if pose == "up":
                heights.append((nut if nut > e.y else e.group.box[3]) - e.y)
            elif pose == "middle":
                heights.append(2 * (nut - e.y))
            else:
                heights.append(e.group.box[3] - e.y)
        for e in uses:
            e.pose = pose
        self.size[bmp] = (min(20, min(widths)), max(10, min(heights)))

    def size_small_parts(self):
        for bmp, uses in sorted(self.uses.items(), key=lambda u: u[1][0].family == "valve_line"):
            fam = self.family(bmp)
            if fam == "valve_line":
                # Drawn over a valve's knob: the knob's size.
                knobs = [self.size[o.bitmap] for e in uses for o in e.gauge.elements
                         if o.family == "valve_knob" and (o.x, o.y) == (e.x, e.y)]
                self.size[bmp] = min(knobs)
                continue
            if fam == "flow_bar":
                # In-line and crossed bars of one line share a centre: the
                # crossed one is wider by twice the offset between them.
                e = uses[0]
                mates = [o for o in e.gauge.elements if o.family == "flow_bar" and o.y == e.y
                         and o is not e and abs(o.x - e.x) < 16]
                offset = abs(mates[0].x - e.x)
                thick = 6
                side = thick + 2 * offset
                self.size[bmp] = (thick, side) if "in line" in e.label else (side, side)
            elif fam == "flow_flag":
                spacing = []
                for e in uses:
                    xs = [o.x - e.x for o in e.gauge.elements if o.family == "flow_flag" and o.y == e.y and o.x > e.x]
                    if xs:
                        spacing.append(min(xs))
                side = min(spacing) - 4 if spacing else 18
                self.size[bmp] = (side, side)
            elif fam == "valve_knob":
                # A knob is as wide as the areas that turn it (the cross-feed
                # knob has three side by side).
                widths = []
                for e in uses:
                    for a in e.gauge.areas:
                        if inside((e.x + 1, e.y + 1), a.box):
                            row = [o for o in e.gauge.areas if o.y == a.y and o.h == a.h
                                   and o.label.split()[:2] == a.label.split()[:2]]
                            lo, hi = a.x, a.x + a.w
                            for o in sorted(row, key=lambda o: o.x):
                                if o.x == hi:
                                    hi = o.x + o.w
                            for o in sorted(row, key=lambda o: -o.x):
                                if o.x + o.w == lo:
                                    lo = o.x
                            widths.append(hi - lo)
                side = min(widths)
                self.size[bmp] = (side, side)
            elif fam == "lever":
                e = uses[0]
                band = min((a for a in e.gauge.areas if inside((e.x, e.y), a.box)), key=lambda a: a.h)
                self.size[bmp] = (band.w, band.h)
            elif fam == "bar":
                self.size[bmp] = (12, 5)
            elif fam == "window_cover":
                # A hatch or flag in a counter's window covers the window.
                self.size[bmp] = min(self.size[o.bitmap] for e in uses for o in e.gauge.elements
                                     if o.kind == 5 and (o.x, o.y) == (e.x, e.y))
            elif fam == "segment":
                self.size[bmp] = SEGMENT_SIZES[uses[0].label.rsplit(" ", 1)[-1]]
            elif fam == "off_flag":
                right = []
                for e in uses:
                    for o in e.gauge.elements:
                        if o.kind == 5 and not o.hidden and o.y <= e.y < o.y + self.size[o.bitmap][1]:
                            right.append(o.x + self.size[o.bitmap][0] - e.x)
                self.size[bmp] = (max(right), 12)
            elif fam == "cover":
                e = uses[0]
                needles = [o for o in e.gauge.elements if o.kind == 1]
                centre = sum(o.x for o in needles) / len(needles)
                w = 2 * round(centre - e.x) + 1
                self.size[bmp] = (w, max(self.box(o)[3] for o in needles) - e.y)

    def size_symbols(self):
        for bmp, uses in self.uses.items():
            if self.family(bmp) == "symbol":
                self.size[bmp] = printed(uses[0].gauge, "symbols")[uses[0].label][1]

    # A moving scale's window, and its strip: the window's height and the
    # scale's travel.
    def size_tapes(self):
        for bmp, uses in self.uses.items():
            if self.family(bmp) == "tape":
                e = uses[0]
                tape = TAPES[(e.gauge.name, e.label)]
                w, h = tape["window"]
                y0, y1 = e.moving["y"]
                self.size[bmp] = (w, h)
                self.size[bmp + 1] = (w, h + round((y1 - y0) * tape["pixels_per_unit"]))

    def size_shaped(self):
        for bmp, uses in self.uses.items():
            if self.family(bmp) == "shaped":
                self.size[bmp] = SLIDERS[(uses[0].gauge.name, uses[0].label)][0]

    # Lamps, flags and messages take the room around them.
    def size_lamps(self):
        todo = sorted(b for b, u in self.uses.items() if self.family(b) in ("lamp", "message"))
        for bmp in todo:
            sizes = [self.room(e) for e in self.uses[bmp]]
            self.size[bmp] = (min(s[0] for s in sizes), min(s[1] for s in sizes))

    def room(self, e):
        g = e.gauge
        fam = e.family
        if fam == "message":
            # Shown for a moment over whatever is below it.
            return (g.width - e.x - 2, 22)
        if printed(g, "lamp_size"):
            return printed(g, "lamp_size")
        cap_w, cap_h = 48, 24
        # A lamp inside a push-button fills it, inset as it is placed.
        buttons = [s for s in g.groups if len(s.areas) == 1 and inside((e.x, e.y), s.box)]
        if buttons:
            b = buttons[0].box
            mates = [o for o in g.elements if o.family == "lamp" and o.x == e.x and inside((o.x, o.y), b)]
            inset = min(o.y for o in mates) - b[1]
            w = b[2] - e.x - (e.x - b[0])
            below = [o.y for o in mates if o.y > e.y]
            h = (min(below) - 2 if below else b[3] - inset) - e.y
            return (w, h)
        w = min(cap_w, g.width - e.x - (0 if e.x == 0 else 2))
        h = cap_h
        obstacles = [a.box for a in g.areas]
        for o in g.elements:
            if o is e or o.kind in (0, 2) or o.bitmap == e.bitmap and (o.x, o.y) == (e.x, e.y):
                continue
            if o.bitmap in self.size:
                obstacles.append(self.box(o))
            else:
                obstacles.append((o.x, o.y, o.x + 1, o.y + 1))
        changed = True
        while changed:
            changed = False
            for ob in obstacles:
                if not overlaps(ob, (e.x, e.y, e.x + w, e.y + h)):
                    continue
                if ob[0] >= e.x + 8:
                    w = ob[0] - e.x - 2
                elif ob[1] >= e.y + 6:
                    h = ob[1] - e.y - 2
                else:
                    continue
                changed = True
        return (max(w, 12), max(h, 8))

    def caption_room(self, g):
        """How high the background must be for the captions that find no
        room above their switch or find it only under a selector."""
        need = 0
        f = font(8, True)
        for s in g.groups:
            if not s.icons or s.icons[0].family == "valve_knob" or not switch_caption(g, s):
                continue
            text = switch_caption(g, s)
            obstacles = [a.box for a in g.areas if a not in s.areas]
            for o in g.elements[1:]:
                if o.kind != 2 and o.family != "alt_face" and o.group is not s:
                    obstacles.append(self.box(o))
            above, below = [text_box(text, f, x, y) for x, y in caption_spots(s)]
            if above[1] < 0 or any(overlaps(above, o) for o in obstacles):
                if not any(overlaps(below, o) for o in obstacles):
                    need = max(need, below[3] + 1)
        knobs = [e for e in g.elements if e.family == "knob"]
        if knobs and printed(g, "title"):
            need = max(need, max(k.y + k.length + 26 for k in knobs))
        return need

    def size_overlays(self):
        for bmp, uses in self.uses.items():
            if self.family(bmp) == "overlay":
                self.size[bmp] = OVERLAY_SIZE

    # Backgrounds hold all their gauge draws.
    def size_backgrounds(self):
        for g in self.gauges:
            bg = g.elements[0]
            if g.placeholder or bg.family == "overlay":
                continue
            if len(g.elements) == 1 and not g.areas:
                # A fixture with nothing on it keeps a placeholder's proportions.
                g.bg_size = (g.width, max(24, round(0.8 * g.width)))
                self.size[bg.bitmap] = g.bg_size
                continue
            boxes = [(0, 0, g.width, 1)]
            for e in g.elements[1:]:
                if e.kind == 2:
                    boxes.append((e.x, e.y, e.x + e.string_box[0], e.y + e.string_box[1]))
                elif e.family != "alt_face":
                    boxes.append(self.box(e))
            boxes += [a.box for a in g.areas]
            boxes += [text_box(t, font(8, True), cx, y + 5) for t, cx, y in printed(g, "texts", [])]
            boxes += [text_box(t, font(size, True), cx, cy) for t, cx, cy, size in printed(g, "labels", [])]
            b = union(boxes)
            w = b[2] + (MARGIN if b[2] > g.width else 0)
            size = (max(g.width, w), max(b[3] + MARGIN, self.caption_room(g)))
            g.bg_size = size
            old = self.size.get(bg.bitmap)
            self.size[bg.bitmap] = size if old is None else (max(old[0], size[0]), max(old[1], size[1]))
            if b[0] < 0 or b[1] < 0:
                self.notes.append(f"{g.name}: something reaches {b[0]}, {b[1]}, outside the background's "
                                  "top or left edge")
        for g in self.gauges:
            if g.placeholder:
                bmp = g.elements[0].bitmap
                w = g.width
                g.bg_size = (w, max(24, round(0.8 * w)))
                if bmp not in self.size:
                    self.size[bmp] = g.bg_size
            for e in g.elements:
                if e.family == "alt_face":
                    self.size[e.bitmap] = self.size[g.elements[0].bitmap]

    def compute(self):
        for g in self.gauges:
            g.placeholder = len(g.elements) == 1 and not g.labelled
        self.size_drums()
        self.size_windows()
        self.size_lever_parts()
        self.size_needles()
        self.size_switches()
        self.size_small_parts()
        self.size_shaped()
        self.size_symbols()
        self.size_tapes()
        self.size_lamps()
        self.size_overlays()
        self.size_backgrounds()


# --- Drawing: small parts -------------------------------------------------------------

# The engine dials' and the air data instruments' drums count down the strip;
# the fuel counters' count up.
DESCENDING_DRUMS = ("toskelin eng_ind_", "toskelin asi_main", "toskelin tas_", "toskelin sat_", "toskelin rmi_",
                    "toskelin hsi_")


def draw_nut(d, cx, cy, r=4):
    d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=C["metal_dark"], outline=C["panel_shadow"])
    d.ellipse((cx - r + 2, cy - r + 2, cx + r - 2, cy + r - 2), fill=C["grey"])


def draw_lever(d, nut, tip, grip=4):
    """A toggle lever seen from the front: the nut, the bat, the ball."""
    (nx, ny), (tx, ty) = nut, tip
    draw_nut(d, nx, ny)
    if (nx, ny) == (tx, ty):
        d.ellipse((nx - grip - 1, ny - grip - 1, nx + grip + 1, ny + grip + 1), fill=C["metal"],
                  outline=C["panel_shadow"])
        d.ellipse((nx - 2, ny - 2, nx + 1, ny + 1), fill=C["white"])
        return
    d.line((nx, ny, tx, ty), fill=C["metal_dark"], width=5)
    d.line((nx, ny, tx, ty), fill=C["metal"], width=3)
    d.ellipse((tx - grip, ty - grip, tx + grip, ty + grip), fill=C["metal"], outline=C["panel_shadow"])
    d.point((tx - 1, ty - 1), fill=C["white"])


POSE_WORDS = {"up": ("upper", "top", "on"), "down": ("lower", "bottom", "off"),
              "normal": ("normal", "middle", "norm")}


def band_of(e):
    """The band (mouse area) of its switch that a position icon shows."""
    s = e.group
    for i, a in enumerate(s.areas):
        if a.label == e.label:
            return i
    word = e.label.split()[-1].lower()
    for i, pos in enumerate(s.positions):
        if pos.lower() == word or pos.lower() in POSE_WORDS.get(word, ()):
            return i
    if len({(o.x, o.y) for o in s.icons}) > 1:
        for i, a in enumerate(s.areas):
            if inside((e.x + 1, e.y + 1), a.box):
                return i
    return min(s.icons.index(e), len(s.areas) - 1)


ABREAST_GAP = 20  # levers of one switch standing further apart than this are drawn side by side


def abreast_span(e):
    """For a switch whose areas work several levers side by side (both
    landing lights), the left and right of the lever this icon draws: from
    its own x to the next lever's, or to the switch's right edge. None for a
    switch with one lever."""
    s = e.group
    xs = sorted({o.x for o in s.icons if o.family == "switch"})
    if len(xs) < 2 or max(b - a for a, b in zip(xs, xs[1:])) <= ABREAST_GAP:
        return None
    right = [x for x in xs if x > e.x]
    return e.x, right[0] if right else s.box[2]


def switch_nut(s):
    """Where a switch's lever turns: the middle band's centre, or between
    the two bands of a two-position switch."""
    cx = (s.box[0] + s.box[2]) / 2
    if len(s.areas) % 2:
        a = s.areas[len(s.areas) // 2]
        return round((a.x + a.x + a.w) / 2), round(a.y + a.h / 2)
    a = s.areas[len(s.areas) // 2]
    return round(cx), a.y


def draw_switch(e, w, h):
    img, d = new_image(w, h)
    s = e.group
    band = s.areas[band_of(e)]
    nx, ny = switch_nut(s)
    tx, ty = round(band.x + band.w / 2), round(band.y + band.h / 2)
    span = abreast_span(e)
    if span:
        # This lever's own nut, its throw as the switch's.
        shift = round((span[0] + span[1]) / 2) - nx
        nx, tx = nx + shift, tx + shift
    if len(s.areas) > 1 and (tx, ty) != (nx, ny):
        reach = min(abs(ty - ny), 22) if ty != ny else 0
        ty = ny + (reach if ty > ny else -reach)
        tx = nx + round((tx - nx) * (reach / max(1, abs(band.y + band.h / 2 - ny))))
    draw_lever(d, (nx - e.x, ny - e.y), (tx - e.x, ty - e.y))
    return img


def draw_knob_pose(e, w, h):
    """A knob shared by several switches: up, middle (end-on) or down."""
    img, d = new_image(w, h)
    cx = w // 2
    if e.pose == "middle":
        r = min(w, h) // 2 - 1
        draw_nut(d, cx, h // 2, r)
        d.ellipse((cx - r + 3, h // 2 - r + 3, cx + r - 3, h // 2 + r - 3), fill=C["metal"],
                  outline=C["panel_shadow"])
        d.point((cx - 1, h // 2 - 1), fill=C["white"])
    elif e.pose == "up":
        draw_lever(d, (cx, h - 5), (cx, 4))
    else:
        draw_lever(d, (cx, 4), (cx, h - 5))
    return img


def draw_hp_lever(e, w, h):
    """The HP fuel lever in its slot: handle low when shut, high when open."""
    img, d = new_image(w, h)
    cx = w // 2
    d.rectangle((cx - 3, 3, cx + 3, h - 4), fill=C["panel_shadow"])
    opened = e.label.endswith("open")
    y = 10 if opened else h - 14
    d.rectangle((cx - 1, y, cx + 1, h - 4 if opened else y), fill=C["metal_dark"])
    d.rectangle((3, y - 4, w - 4, y + 5), fill=C["flag_red"], outline=C["panel_shadow"])
    draw_text_in(d, "HP", (3, y - 4, w - 4, y + 6), "white", (8, 7, 6))
    draw_text_in(d, "OPEN" if opened else "SHUT", (0, h - 11 if opened else 1, w, h - 1 if opened else 11),
                 "engrave", (7, 6))
    return img


def draw_lever_part(e, w, h):
    """A part of a pedestal lever, seen from above."""
    img, d = new_image(w, h)
    kind = LEVER_PARTS[(e.gauge.name, e.label)][0]
    cx = w // 2
    if kind in ("grip", "armed_grip"):
        # The speed brake's T-handle over its neck; lifted into ARM it is
        # nearer the eye, and its ARM band shows.
        top = 13 if kind == "grip" else 15
        d.rectangle((cx - 3, top - 2, cx + 3, h - 1), fill=C["metal_dark"], outline=C["panel_shadow"])
        d.rounded_rectangle((0, 0, w - 1, top), radius=4, fill=C["metal"], outline=C["panel_shadow"])
        if kind == "armed_grip":
            d.rectangle((3, 4, w - 4, top - 4), fill=C["green"])
            draw_text_in(d, "ARM", (3, 3, w - 3, top - 3), "dark", (7, 6))
        else:
            d.line((4, top // 2, w - 5, top // 2), fill=C["grey"])
    elif kind == "stem":
        d.rectangle((cx - 2, 0, cx + 2, h - 1), fill=C["metal_dark"], outline=C["panel_shadow"])
        d.rectangle((cx - 5, h - 4, cx + 5, h - 1), fill=C["panel_shadow"])
    elif kind == "shaft":
        d.rectangle((cx - 2, 3, cx + 1, h - 1), fill=C["metal_dark"], outline=C["panel_shadow"])
        d.ellipse((cx - 3, 0, cx + 2, 5), fill=C["metal"], outline=C["panel_shadow"])
    elif kind == "throttle_handle":
        d.rounded_rectangle((0, 0, w - 1, h - 1), radius=3, fill=C["knob"], outline=C["knob_edge"])
        draw_text_in(d, e.label.split()[1], (0, 0, w, h), "white", (8, 7))
    elif kind == "flap_handle":
        d.rounded_rectangle((0, 0, w - 1, h - 1), radius=2, fill=C["lamp_white"], outline=C["panel_shadow"])
        d.rectangle((3, h // 2 - 1, w - 4, h // 2), fill=C["grey"])
    elif kind == "park_down":
        d.rectangle((0, h // 2 - 2, w - 9, h // 2 + 1), fill=C["metal_dark"], outline=C["panel_shadow"])
        d.rounded_rectangle((w - 10, 0, w - 1, h - 1), radius=3, fill=C["flag_red"], outline=C["panel_shadow"])
    elif kind == "park_up":
        d.rectangle((cx - 2, 8, cx + 1, h - 1), fill=C["metal_dark"], outline=C["panel_shadow"])
        d.rounded_rectangle((0, 0, w - 1, 9), radius=3, fill=C["flag_red"], outline=C["panel_shadow"])
    return img


def draw_servo_legend(e, w, h):
    """The lever's slot with its three stops; the one reached is lit."""
    img, d = new_image(w, h)
    s = e.group
    cx = w // 2
    d.rectangle((cx - 3, 4, cx + 3, h - 5), fill=C["panel_shadow"])
    lit = ("top", "middle", "bottom").index(e.label.split()[-1])
    for i, a in enumerate(s.areas):
        y = a.y + a.h // 2 - e.y
        colour = "lamp_white" if i == lit else "engrave_dim"
        d.line((2, y, 8, y), fill=C[colour], width=2)
        d.line((w - 9, y, w - 3, y), fill=C[colour], width=2)
    bottom = s.areas[-1]
    draw_text_in(d, "OFF", (0, bottom.y + bottom.h - e.y - 9, 14, bottom.y + bottom.h - e.y),
                 "lamp_white" if lit == 2 else "engrave_dim", (7, 6))
    return img


def system_colour(label):
    for word, colour in (("BLUE", "hyd_blue"), ("GREEN", "hyd_green"), ("YELLOW", "hyd_yellow")):
        if word in label:
            return colour
    return "metal"


def draw_servo_lever(e, w, h):
    img, d = new_image(w, h)
    cy = h // 2
    d.rectangle((w // 2 - 2, 2, w // 2 + 2, h - 3), fill=C["metal_dark"])
    d.rounded_rectangle((4, cy - 6, w - 5, cy + 6), radius=3, fill=C[system_colour(e.label)],
                        outline=C["panel_shadow"])
    d.line((8, cy, w - 9, cy), fill=C["white"])
    return img


def draw_level_bar(e, w, h):
    img, d = new_image(w, h)
    d.rectangle((0, 0, w - 1, h - 1), fill=C["green"], outline=C["dark"])
    return img


def draw_segment(e, w, h):
    img, d = new_image(w, h)
    d.rectangle((0, 0, w - 1, h - 1), fill=C["amber"])
    return img


def draw_flow_bar(e, w, h):
    img, d = new_image(w, h)
    if "in line" in e.label:
        d.rectangle((0, 0, w - 1, h - 1), fill=C["green"])
    else:
        y = (h - 6) // 2
        d.rectangle((0, y, w - 1, y + 5), fill=C["amber"])
    return img


def draw_flow_flag(e, w, h):
    """A flow indicator ('doll's eye'): a bar along the line when flowing
    (or charged), across it when not."""
    img, d = new_image(w, h)
    d.ellipse((0, 0, w - 1, h - 1), fill=C["dark"], outline=C["grey"])
    c, r = (w - 1) / 2, w // 2 - 3
    vertical = re.search(r"\bflow$|charged|upper flag", e.label) and "no flow" not in e.label
    if vertical:
        d.rectangle((round(c) - 2, round(c - r), round(c) + 2, round(c + r)), fill=C["white"])
    else:
        d.rectangle((round(c - r), round(c) - 2, round(c + r), round(c) + 2), fill=C["white"])
    return img


def draw_valve_knob(e, w, h):
    img, d = new_image(w, h)
    d.ellipse((0, 0, w - 1, h - 1), fill=C["knob"], outline=C["knob_edge"])
    d.ellipse((5, 5, w - 6, h - 6), fill=C["panel_shadow"], outline=C["knob_edge"])
    # the grip across the knob: along the line when open
    c = (w - 1) / 2
    opened = "open" in e.label
    if opened:
        d.rectangle((round(c) - 3, 2, round(c) + 3, h - 3), fill=C["knob_edge"])
    else:
        d.rectangle((2, round(c) - 3, w - 3, round(c) + 3), fill=C["knob_edge"])
    return img


def draw_valve_line(e, w, h):
    """The fuel line drawn over a valve knob: in line when open, across
    when shut; for the cross-feed, which side feeds the other."""
    img, d = new_image(w, h)
    c = (w - 1) // 2
    lab = e.label
    if "lines closed" in lab:
        d.rectangle((1, c - 1, c - 6, c + 1), fill=C["white"])
        d.rectangle((c + 6, c - 1, w - 2, c + 1), fill=C["white"])
        f = font(7, True)
        d.text((3, c - 11), "1", fill=C["white"], font=f)
        d.text((w - 8, c - 11), "2", fill=C["white"], font=f)
    elif "line from" in lab:
        d.rectangle((1, c - 1, w - 2, c + 1), fill=C["white"])
        if lab.endswith("1"):
            d.polygon([(w - 2, c), (w - 9, c - 5), (w - 9, c + 5)], fill=C["white"])
        else:
            d.polygon([(1, c), (8, c - 5), (8, c + 5)], fill=C["white"])
    elif "open" in lab:
        d.rectangle((c - 1, 1, c + 1, h - 2), fill=C["white"])
    else:
        d.rectangle((1, c - 1, w - 2, c + 1), fill=C["white"])
    return img


def draw_off_flag(e, w, h):
    img, d = new_image(w, h)
    d.rectangle((0, 0, w - 1, h - 1), fill=C["flag_red"])
    for x in range(-h, w, 8):
        d.polygon([(x, h - 1), (x + 4, h - 1), (x + 4 + h, 0), (x + h, 0)], fill=C["white"])
    bw = 22
    d.rectangle(((w - bw) // 2, 1, (w + bw) // 2, h - 2), fill=C["flag_red"])
    draw_text_in(d, "OFF", ((w - bw) // 2, 0, (w + bw) // 2, h), "white", (9, 8, 7))
    return img


def draw_window_cover(e, w, h):
    """What drops into a counter's window: the striped hatch below the
    altitude it stands for, the NEG flag's minus bar, the red OFF flag."""
    img, d = new_image(w, h)
    if e.label.endswith(" hatch"):
        d.rectangle((0, 0, w - 1, h - 1), fill=C["dark"])
        for x in range(-h, w, 4):
            d.line((x, h - 1, x + h - 1, 0), fill=C["white"], width=2)
    elif "NEG" in e.label:
        d.rectangle((0, 0, w - 1, h - 1), fill=C["white"])
        d.rectangle((1, h // 2 - 1, w - 2, h // 2 + 1), fill=C["dark"])
    else:
        d.rectangle((0, 0, w - 1, h - 1), fill=C["flag_red"])
        for x in range(-h, w, 5):
            d.line((x, h - 1, x + h - 1, 0), fill=C["white"], width=2)
    return img


def draw_lamp(e, w, h):
    img, d = new_image(w, h)
    legend = common_legend(e)
    unlit = any(e.label.endswith(wd) for wd in UNLIT_WORDS)
    colour = lamp_colour(legend, unlit)
    if not unlit:
        colour = printed(e.gauge, "lamp_colour", colour)
        colour = printed(e.gauge, "colours", {}).get(legend, colour)
    d.rectangle((0, 0, w - 1, h - 1), fill=C["lens"], outline=C["panel_shadow"])
    if not unlit:
        d.rectangle((1, 1, w - 2, h - 2), outline=C[colour])
    draw_text_in(d, legend, (2, 1, w - 2, h - 1), colour, (9, 8, 7, 6))
    return img


_legends = {}


def common_legend(e):
    """A lamp drawn once for several places says what they have in common."""
    return _legends.get(e.bitmap) or legend_of(e)


def draw_message(e, w, h):
    img, d = new_image(w, h)
    d.rectangle((0, 0, w - 1, h - 1), fill=C["lens"], outline=C["amber"])
    draw_text_in(d, legend_of(e).replace(" MESSAGE", ""), (3, 1, w - 3, h - 1), "amber", (9, 8, 7))
    return img


def draw_cover(e, w, h):
    img, d = new_image(w, h)
    d.rounded_rectangle((0, 0, w - 1, h - 1), radius=w // 2, fill=C["face_rim"], outline=C["panel_shadow"])
    cx = w // 2
    for cy in (w // 2 + 2, h - w // 2 - 3):
        d.ellipse((cx - 3, cy - 3, cx + 3, cy + 3), fill=C["metal_dark"])
        d.line((cx - 2, cy, cx + 2, cy), fill=C["panel_shadow"])
    return img


def draw_needle(e, w, h):
    """Pointing right: tail, hub on the pivot, shaft to the tip."""
    img, d = new_image(w, h)
    px, py = e.px, e.py
    tip = w - 1
    d.line((max(0, px - 8), py, px, py), fill=C["grey"], width=3)
    d.polygon([(px, py - 1), (tip - 4, py - 1), (tip, py), (tip - 4, py + 1), (px, py + 1)], fill=C["white"])
    d.line((px, py, tip, py), fill=C["white"])
    r = max(2, min(4, px, py))
    d.ellipse((px - r, py - r, px + r, py + r), fill=C["metal_dark"], outline=C["grey"])
    return img


def draw_limit(e, w, h):
    """A limit pointer: only its red wedge near the rim shows."""
    img, d = new_image(w, h)
    tip, py = w - 1, e.py
    d.polygon([(tip, py), (tip - 10, py - 4), (tip - 10, py + 4)], fill=C["red"])
    return img


def draw_pointer(e, w, h):
    """An index at the rim: a wedge whose point is at the scale."""
    img, d = new_image(w, h)
    py = e.py
    half = max(3, min(py - 1, 6))
    colour = "magenta" if "command" in e.label else "amber"
    d.polygon([(w - 1, py), (0, py - half), (0, py + half)], fill=C[colour], outline=C["dark"])
    return img


def draw_knob(e, w, h):
    """A selector knob turning about the pivot, its pointer to the right;
    a knob drawn lit by the panel lights has a glowing pointer."""
    img, d = new_image(w, h)
    px, py = e.px, e.py
    tip = w - 1
    pointer = "orange" if e.label.endswith(" deck lit") else ("amber" if e.label.endswith(" lit") else "white")
    if px >= 12:
        r = min(px, py) - 3
        d.ellipse((px - r, py - r, px + r, py + r), fill=C["knob"], outline=C["knob_edge"])
        d.rectangle((px - r + 2, py - 3, px + r - 2, py + 3), fill=C["knob_edge"])
    else:
        d.rounded_rectangle((0, py - 5, tip - 3, py + 5), radius=4, fill=C["knob"], outline=C["knob_edge"])
    d.line((px, py, tip, py), fill=C[pointer], width=2)
    d.polygon([(tip, py), (tip - 4, py - 2), (tip - 4, py + 2)], fill=C[pointer])
    return img


def draw_symbol(e, w, h):
    """A word on a plate: a flag, a sign in a drum window, an annunciation."""
    text, _, colour, plate = printed(e.gauge, "symbols")[e.label]
    img, d = new_image(w, h, plate)
    draw_text_in(d, text, (0, 0, w, h), colour, (12, 11, 10, 9, 8, 7, 6))
    return img


def draw_tape_strip(e, w, h):
    """A moving scale: a mark every unit of its travel, longer and numbered
    every few, each where the window's middle stands at that value."""
    tape = TAPES[(e.gauge.name, e.label)]
    ppu, numbered = tape["pixels_per_unit"], tape["numbered"]
    middle = tape["window"][1] // 2
    img, d = new_image(w, h, "face")
    y0, y1 = e.moving["y"]
    f = font(6)
    for v in range(int(y0), int(y1) + 1):
        y = middle + round((v - y0) * ppu)
        long_mark = v % numbered == 0
        d.line((w - (5 if long_mark else 3), y, w - 1, y), fill=C["white"])
        if long_mark:
            start, per_unit = tape.get("reads", (0, 1))
            draw_lines(d, [str(start + per_unit * v)], f, (w - 6) / 2, y, "white")
    return img


def draw_drum_mask(e, w, h):
    img, d = new_image(w, h, "mask")
    return img


def drum_cells(e):
    """The cells of a drum window's strip: one a step of its range (eleven
    for 0 to 10, the digits and 0 again; ten for 0 to 9)."""
    y0, y1 = e.moving["y"]
    return int(round(y1 - y0)) + 1


def draw_drum_strip(e, w, h):
    """A digit cell a step of the window's range, one window high each."""
    cells = drum_cells(e)
    cell = h // cells
    img, d = new_image(w, h, "drum")
    descending = (e.gauge.name.startswith(DESCENDING_DRUMS)
                  or e.label.split(" ", 1)[0] in printed(e.gauge, "descending_drums", []))
    digits = [0, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0] if descending else [0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0]
    digits = digits[:cells]
    # A drum whose cells are not single digits (a radio's channel drum: 00,
    # 25, 50, 75) names them by the last word of its label.
    named = printed(e.gauge, "strip_cells", {}).get(e.label.rsplit(" ", 1)[-1])
    if named:
        digits = named[:cells]
    if descending and cells < 10:
        # A short descending drum (the hundreds of a heading: 0, 3, 2, 1, 0)
        # counts down from its own top.
        digits = [0] + list(range(cells - 2, 0, -1)) + [0]
    digits = printed(e.gauge, "strips", {}).get(e.label, digits)
    blank = leading_only(e)
    f = font(max(7, cell * 3 // 4), True)
    for i, digit in enumerate(digits):
        if blank and digit == 0:
            continue
        if named:
            f = font(max(6, min(cell * 3 // 4, w // 2 + 1)), True)
        draw_lines(d, [str(digit)], f, (w - 1) / 2, i * cell + (cell - 1) / 2, "white")
    return img


def draw_shaped(e, w, h):
    """The pointers, strips and levers of the configuration indicators."""
    img, d = new_image(w, h)
    shape = SLIDERS[(e.gauge.name, e.label)][2]
    if shape == "bar":
        d.rectangle((0, 0, w - 1, h - 1), fill=C["white"], outline=C["dark"])
    elif shape == "pointer":
        d.polygon([(0, 0), (w - 1, h // 2), (0, h - 1)], fill=C["amber"], outline=C["dark"])
    elif shape == "pitch_pointer":
        d.rectangle((0, h // 2 - 1, w - 1, h // 2 + 1), fill=C["white"])
        d.polygon([(0, 0), (5, h // 2), (0, h - 1)], fill=C["amber"])
    elif shape == "pitch_tape":
        # 2 pixels a degree, 12 degrees nose up at the top, -3 at 30.
        d.rectangle((0, 0, w - 1, h - 1), fill=C["face"])
        for deg in range(-3, 13):
            y = 24 - 2 * deg
            d.line((w - (8 if deg % 5 == 0 else 4), y, w - 1, y), fill=C["white"])
        f = font(6)
        for deg in (0, 5, 10):
            draw_lines(d, [str(deg)], f, 5, 24 - 2 * deg, "white")
    elif shape == "mask":
        # Panel paint over the strip's travel, but for its window.
        d.rectangle((0, 0, w - 1, h - 1), fill=C["panel"])
        d.rectangle((4, 24, w - 5, 36), fill=C["face_rim"])
        d.rectangle((5, 25, w - 6, 35), fill=C["clear"])
        d.line((3, 30, 5, 30), fill=C["amber"])
    elif shape == "gear_lever":
        # The wheel-shaped knob on its arm; lit by the panel lights (amber)
        # or the flight deck's (white).
        glow = {"panel lit": "amber", "deck lit": "lamp_white"}
        rim = next((c for k, c in glow.items() if e.label.endswith(k)), "metal_dark")
        cx, cy = w // 2, h // 2
        d.rectangle((cx - 3, 0, cx + 3, h - 1), fill=C["metal_dark"])
        d.ellipse((cx - 17, cy - 17, cx + 17, cy + 17), fill=C["metal"], outline=C[rim])
        d.ellipse((cx - 14, cy - 14, cx + 14, cy + 14), outline=C[rim])
        d.ellipse((cx - 5, cy - 5, cx + 5, cy + 5), fill=C["metal_dark"])
    elif shape == "att_flag":
        # Red and white, lettered: the attitude is not to be trusted.
        d.rectangle((0, 0, w - 1, h - 1), fill=C["flag_red"])
        for x in range(-h, w, 8):
            d.polygon([(x, h - 1), (x + 4, h - 1), (x + 4 + h, 0), (x + h, 0)], fill=C["white"])
        d.rectangle((8, 2, w - 9, h - 3), fill=C["flag_red"])
        draw_text_in(d, e.label.split()[0], (8, 1, w - 8, h - 1), "white", (9, 8, 7))
    elif shape == "command_bar":
        # A magenta bar the length of the sphere's middle.
        d.rectangle((0, 0, w - 1, h - 1), fill=C["magenta"], outline=C["dark"])
    elif shape == "pointer_up":
        d.polygon([(w // 2, 0), (w - 1, h - 1), (0, h - 1)], fill=C["white"], outline=C["dark"])
    elif shape == "pointer_left":
        d.polygon([(0, h // 2), (w - 1, 0), (w - 1, h - 1)], fill=C["white"], outline=C["dark"])
    elif shape == "ball":
        d.ellipse((0, 0, w - 1, h - 1), fill=C["dark"], outline=C["white"])
    elif shape == "adi_bezel":
        # The instrument's face round the sphere: its window, the deviation
        # and speed scales' dots and the turn index's tube.
        cx, cy, r = 167, 125, 110
        d.rectangle((0, 0, w - 1, h - 1), fill=C["face"])
        d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=C["clear"])
        for k in (-2, -1, 1, 2):
            d.ellipse((cx + 29 * k - 2, 238 - 2, cx + 29 * k + 2, 238 + 2), outline=C["white"])
            d.ellipse((290 - 2, cy + 24 * k - 2, 290 + 2, cy + 24 * k + 2), outline=C["white"])
        d.rectangle((cx - 1, 234, cx, 242), fill=C["white"])
        d.line((36, cy, 42, cy), fill=C["white"], width=2)
        d.rectangle((cx - 24, 251, cx + 24, 261), outline=C["grey"])
        d.line((cx - 6, 251, cx - 6, 261), fill=C["white"])
        d.line((cx + 6, 251, cx + 6, 261), fill=C["white"])
    elif shape == "round_knob":
        # A fluted knob seen end-on; lit by the panel lights (amber) or the
        # flight deck's (white).
        glow = {"panel lit": "amber", "deck lit": "lamp_white"}
        rim = next((c for k, c in glow.items() if e.label.endswith(k)), "knob_edge")
        cx, cy, r = w // 2, h // 2, min(w, h) // 2 - 1
        d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=C["knob"], outline=C[rim])
        for a in range(0, 360, 20):
            d.line([polar(cx, cy, r - 4, a), polar(cx, cy, r - 1, a)], fill=C["knob_edge"])
        d.ellipse((cx - r + 6, cy - r + 6, cx + r - 6, cy + r - 6), outline=C[rim])
    return img


def draw_window(e, w, h):
    """The shape the host shows a moving picture through."""
    img, d = new_image(w, h)
    shape = WINDOWS[(e.gauge.name, e.label)][2]
    if shape in ("sphere", "compass_card", "deviation_bar"):
        d.ellipse((0, 0, w - 1, h - 1), fill=C["mask"])
    elif shape == "bank_scale":
        c = (w - 1) / 2
        d.ellipse((c - 130, c - 130, c + 130, c + 130), fill=C["mask"])
        d.ellipse((c - 112, c - 112, c + 112, c + 112), fill=C["clear"])
    else:
        d.rectangle((0, 0, w - 1, h - 1), fill=C["mask"])
    return img


def draw_ra_tape(d, w, h):
    """Feet of radio height, 0.4 pixel a foot; hundreds numbered, the ground
    hatched below 0."""
    top, scale = 46, 0.4
    zero = top + round(2610 * scale)
    for x in range(-h, w, 8):
        d.polygon([(x, h - 1), (x + 3, h - 1), (x + 3 + (h - zero), zero), (x + (h - zero), zero)],
                  fill=C["amber"])
    f = font(7, True)
    for ft in range(0, 2611, 10):
        y = top + round((2610 - ft) * scale)
        if ft % 100 == 0:
            d.line((w - 9, y, w - 1, y), fill=C["white"])
            draw_lines(d, [str(ft // 100)], f, 7, y, "white")
        elif ft % 50 == 0:
            d.line((w - 6, y, w - 1, y), fill=C["white"])
        else:
            d.line((w - 3, y, w - 1, y), fill=C["grey"])


def draw_sphere(d, w, h):
    """Sky over ground, 2 pixels a degree: the horizon and a ladder every 5
    degrees, numbered every 10, nose up above the horizon."""
    cx, cy = w // 2, h // 2
    d.rectangle((0, 0, w - 1, cy - 1), fill=C["hyd_blue"])
    d.rectangle((0, cy, w - 1, h - 1), fill=C["face_rim"])
    d.rectangle((0, cy - 1, w - 1, cy), fill=C["white"])
    f = font(7, True)
    for deg in range(-90, 91, 5):
        if deg == 0:
            continue
        y = cy - 2 * deg
        half = 18 if deg % 10 == 0 else 8
        d.line((cx - half, y, cx + half, y), fill=C["white"])
        if deg % 10 == 0:
            for x in (cx - half - 9, cx + half + 9):
                draw_lines(d, [str(abs(deg))], f, x, y, "white")


def draw_bank_scale(d, w, h):
    """A dark ring with marks at 10, 20, 30, 45, 60 and 90 degrees either way
    and a triangle at 0."""
    c = (w - 1) / 2
    d.ellipse((c - 130, c - 130, c + 130, c + 130), fill=C["face"])
    d.ellipse((c - 112, c - 112, c + 112, c + 112), fill=C["clear"])
    for deg in (10, 20, 30, 45, 60, 90):
        long = deg in (30, 60, 90)
        for a in (-90 - deg, -90 + deg):
            d.line([polar(c, c, 113, a), polar(c, c, 127 if long else 121, a)], fill=C["white"], width=2)
    d.polygon([polar(c, c, 114, -90), polar(c, c, 127, -95), polar(c, c, 127, -85)], fill=C["white"])


CARD_NAMES = {0: "N", 90: "E", 180: "S", 270: "W"}


def draw_compass_card(d, w, h):
    """A card of headings, north up: a mark every 5 degrees, longer every
    10, numbered every 30 (tens of degrees, the cardinal points by letter)."""
    c = (w - 1) / 2
    r = w / 2 - 1
    d.ellipse((c - r, c - r, c + r, c + r), fill=C["face"])
    f = font(8 if w < 160 else 10, True)
    for deg in range(0, 360, 5):
        a = deg - 90
        inner = r - (8 if deg % 10 == 0 else 4)
        d.line([polar(c, c, inner, a), polar(c, c, r - 1, a)], fill=C["white"])
        if deg % 30 == 0:
            x, y = polar(c, c, r - 16, a)
            draw_lines(d, [CARD_NAMES.get(deg, str(deg // 10))], f, x, y, "white")


def draw_deviation_bar(d, w, h):
    """The course deviation scale (two dots either side) and the bar, which
    moves across it."""
    c = (w - 1) / 2
    for dx in (-38, -19, 19, 38):
        d.ellipse((c + dx - 3, c - 3, c + dx + 3, c + 3), outline=C["white"])
    d.rectangle((c - 2, c - 34, c + 2, c + 34), fill=C["magenta"])


def draw_compass_strip(d, w, h, window_w):
    """The wet compass's card seen edge on: 2 pixels a degree, headings
    decreasing to the right; a mark every 5 degrees, numbered every 30."""
    f = font(8, True)
    for deg in range(0, 361, 5):
        x = window_w / 2 + (w - window_w) * (360 - deg) / 360
        d.line((x, h - (7 if deg % 10 == 0 else 4), x, h - 1), fill=C["white"])
        if deg % 30 == 0:
            draw_lines(d, [CARD_NAMES.get(deg % 360, str(deg // 10))], f, x, 7, "white")


def draw_window_picture(e, w, h):
    """The picture moving under a window of WINDOWS."""
    shape = WINDOWS[(e.gauge.name, e.label)][2]
    img, d = new_image(w, h, "face" if shape == "ra_tape" else "clear")
    if shape == "ra_tape":
        draw_ra_tape(d, w, h)
    elif shape == "dh_index":
        # The index's mark, pointing at the tape, in the middle of the window
        # at the end of the index's range.
        y = 46 + 200
        d.polygon([(0, y), (w - 1, y - 5), (w - 1, y + 5)], fill=C["amber"], outline=C["dark"])
    elif shape == "sphere":
        draw_sphere(d, w, h)
    elif shape == "bank_scale":
        draw_bank_scale(d, w, h)
    elif shape == "compass_card":
        draw_compass_card(d, w, h)
    elif shape == "deviation_bar":
        draw_deviation_bar(d, w, h)
    elif shape == "compass_strip":
        d.rectangle((0, 0, w - 1, h - 1), fill=C["face"])
        draw_compass_strip(d, w, h, WINDOWS[(e.gauge.name, e.label)][0][0])
    elif shape == "aircraft_symbol":
        # Wings and a centre dot, at 36: the middle of the sphere when the
        # symbol stands at 18.
        y = 36
        for x0, x1 in ((18, 62), (98, 142)):
            d.rectangle((x0, y - 2, x1, y + 1), fill=C["amber"], outline=C["dark"])
        d.rectangle((60, y - 2, 63, y + 7), fill=C["amber"], outline=C["dark"])
        d.rectangle((97, y - 2, 100, y + 7), fill=C["amber"], outline=C["dark"])
        d.ellipse((77, y - 3, 83, y + 3), fill=C["amber"], outline=C["dark"])
    return img


_art = None


def leading_only(e):
    """A strip that only ever shows a counter's first digit leaves 0 blank,
    but for a heading or course, read with its leading zeros (045)."""
    if printed(e.gauge, "leading_zeros", False):
        return False
    for o in _art.uses[e.bitmap]:
        firsts = [x.x for x in o.gauge.elements if x.kind == 5 and abs(x.y - o.y) <= 3]
        if o.x != min(firsts):
            return False
    return True


# --- Drawing: backgrounds ---------------------------------------------------------------


class Layout:
    """A background being drawn, and the boxes already taken on it, so that
    captions go where nothing else is."""

    def __init__(self, g, art, size):
        self.g, self.art, self.size = g, art, size
        self.img, self.d = new_image(size[0], size[1], "panel")
        self.taken = []

    def free(self, box):
        w, h = self.size
        if box[0] < 0 or box[1] < 0 or box[2] > w or box[3] > h:
            return False
        return not any(overlaps(box, t) for t in self.taken)

    def anywhere(self):
        """Every spot of the background, the top middle first."""
        w, h = self.size
        return sorted(((x, y) for x in range(4, w - 3, 2) for y in range(5, h - 4, 2)),
                      key=lambda p: (abs(p[0] - w / 2) + 3 * p[1], p))

    def caption(self, text, candidates, f=None, colour="engrave", force=True):
        """Writes `text` centred on the first free candidate centre."""
        f = f or font(8)
        for cx, cy in candidates:
            box = text_box(text, f, cx, cy)
            if self.free(box):
                break
        else:
            if not force:
                return False
            cx, cy = candidates[0]
            box = text_box(text, f, cx, cy)
        draw_lines(self.d, [text], f, cx, cy, colour)
        self.taken.append(box)
        return True


def fmt(value, div, shift):
    x = (value + shift) / div
    if abs(x - round(x)) < 1e-9:
        return str(int(round(x)))
    return f"{x:.1f}"


def value_angle(e, value):
    """The needle's angle for a value, as the host turns it."""
    pts = e.points
    angles = [point_angle(e, p) for p in pts]
    rising = pts[-1][2] >= pts[0][2]
    before = (lambda a, b: a <= b) if rising else (lambda a, b: a >= b)
    if before(value, pts[0][2]):
        return angles[0]
    for i in range(1, len(pts)):
        if not before(value, pts[i][2]):
            continue
        span = pts[i][2] - pts[i - 1][2]
        t = 1.0 if span == 0 else (value - pts[i - 1][2]) / span
        turn = angles[i] - angles[i - 1]
        if turn > 180:
            turn -= 360
        if turn < -180:
            turn += 360
        return angles[i - 1] + t * turn
    return angles[-1]


def polar(cx, cy, r, degrees):
    a = math.radians(degrees)
    return cx + r * math.cos(a), cy + r * math.sin(a)


def draw_faces(lay, needles, legend, words):
    """Dark round faces centred on the needles' pivots, with a scale of
    marks at every table point and its value."""
    d = lay.d
    groups = []
    for e in needles:
        for grp in groups:
            if math.hypot(grp[0].x - e.x, grp[0].y - e.y) < 30:
                grp.append(e)
                break
        else:
            groups.append([e])
    div, shift = words.get("div", 1), words.get("shift", 0)
    faces = []
    for grp in groups:
        cx = sum(e.x for e in grp) / len(grp)
        cy = sum(e.y for e in grp) / len(grp)
        r = max(math.hypot(p[0] - cx, p[1] - cy) for e in grp for p in e.points) + 5
        faces.append((grp, cx, cy, r))
    for grp, cx, cy, r in faces:
        crowded = any(o[0] is not grp and math.hypot(o[1] - cx, o[2] - cy) < r + o[3] for o in faces)
        sweep = [a for e in grp for a in sweep_angles(e)]
        if crowded and max(sweep) - min(sweep) < 200:
            # Faces side by side: a fan over the scale and a round hub.
            a0, a1 = min(sweep) - 14, max(sweep) + 14
            d.pieslice((cx - r - 2, cy - r - 2, cx + r + 2, cy + r + 2), a0, a1, fill=C["face_rim"])
            d.pieslice((cx - r, cy - r, cx + r, cy + r), a0 + 1, a1 - 1, fill=C["face"])
            d.ellipse((cx - 12, cy - 12, cx + 12, cy + 12), fill=C["face"], outline=C["face_rim"])
        else:
            d.ellipse((cx - r - 2, cy - r - 2, cx + r + 2, cy + r + 2), fill=C["face_rim"])
            d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=C["face"])
        lay.taken.append((round(cx - r), round(cy - r), round(cx + r), round(cy + r)))
    face_boxes = list(lay.taken)
    lay.taken = []
    numbers = []
    for e in needles:
        L = e.length
        sweep = sweep_angles(e)
        ring = [polar(e.x, e.y, L + 1, a) for a in sweep]
        if len(ring) > 1:
            d.line(ring, fill=C["grey"])
        red = words.get("red")
        if red is not None and red < max(p[2] for p in e.points):
            top = max(p[2] for p in e.points)
            steps = 12
            arc = [polar(e.x, e.y, L + 2, value_angle(e, red + (top - red) * i / steps)) for i in range(steps + 1)]
            d.line(arc, fill=C["red"], width=3)
        values = [p[2] for p in e.points]
        minors = []
        for a, b in zip(values, values[1:]):
            parts = 4 if len(values) == 2 else 2
            minors += [a + (b - a) * i / parts for i in range(1, parts)]
        for v in minors:
            ang = value_angle(e, v)
            d.line([polar(e.x, e.y, L - 3, ang), polar(e.x, e.y, L + 1, ang)], fill=C["grey"])
        f = font(8 if L >= 40 else (7 if L >= 32 else 6))
        for v in values:
            ang = value_angle(e, v)
            d.line([polar(e.x, e.y, L - 6, ang), polar(e.x, e.y, L + 2, ang)], fill=C["white"], width=2)
            if not words.get("numbers", True):
                continue
            label = fmt(v % words["modulo"] if "modulo" in words else v, div, shift)
            tw, th = text_size(label, f)
            inset = L - (8 if L >= 32 else 6) - max(tw * abs(math.cos(math.radians(ang))), th * abs(math.sin(math.radians(ang)))) / 2
            x, y = polar(e.x, e.y, inset, ang)
            box = text_box(label, f, x, y)
            if any(overlaps(box, n) for n in numbers):
                continue
            numbers.append(box)
            draw_lines(d, [label], f, x, y, "white")
    lay.taken = face_boxes
    if legend:
        draw_dial_legend(lay, needles[0], legend, numbers)


def draw_dial_legend(lay, e, legend, numbers):
    """The dial's legend on its face, away from the scale's numbers, the
    hub and whatever the gauge draws over the face."""
    angles = [math.radians(point_angle(e, p)) for p in e.points]
    mx = sum(math.cos(a) for a in angles)
    my = sum(math.sin(a) for a in angles)
    norm = math.hypot(mx, my) or 1.0
    L = e.length
    w, h = lay.size
    hub = (e.x - 6, e.y - 6, e.x + 7, e.y + 7)
    blocks = numbers + [hub] + [lay.art.box(o) for o in lay.g.elements[1:]
                                if o.kind in (4, 5) and o.family != "alt_face"]

    def boxes_at(x, y, size):
        step = size + 1
        out = []
        for i, line in enumerate(legend):
            f = font(size, True) if i == 0 else font(max(6, size - 1))
            out.append((line, f, x, y - step * (len(legend) - 1) / 2 + i * step))
        return out

    def fits(lines):
        for line, f, x, y in lines:
            b = text_box(line, f, x, y)
            if b[0] < 0 or b[1] < 0 or b[2] > w or b[3] > h or any(overlaps(b, o) for o in blocks):
                return False
            if any(math.hypot(cx - e.x, cy - e.y) > L + 3 for cx in (b[0], b[2]) for cy in (b[1], b[3])):
                return False
        return True

    # Anywhere on the face, as near as may be to the middle of the gap
    # opposite the scale.
    ax, ay = e.x - 0.42 * L * mx / norm, e.y - 0.42 * L * my / norm
    spots = sorted(((e.x + dx, e.y + dy) for dx in range(-L, L + 1, 2) for dy in range(-L, L + 1, 2)),
                   key=lambda p: (round(math.hypot(p[0] - ax, p[1] - ay)), p))
    choice = None
    for hub_free in (True, False):
        if not hub_free:
            blocks.remove(hub)
        for size in (8, 7, 6):
            for x, y in spots:
                lines = boxes_at(x, y, size)
                if fits(lines):
                    choice = lines
                    break
            if choice:
                break
        if choice:
            break
    if choice is None:
        # Under the face, on one line.
        text = " ".join(legend)
        f = font(7, True)
        r = max(math.hypot(p[0] - e.x, p[1] - e.y) for p in e.points) + 7
        b = text_box(text, f, e.x, e.y + r + 5)
        if b[0] >= 0 and b[2] <= w and b[3] <= h:
            choice = [(text, f, e.x, e.y + r + 5)]
    if choice is None:
        lay.art.notes.append(f"{lay.g.name}: no free room on the face for its legend")
        choice = boxes_at(e.x - 0.42 * L * mx / norm, e.y - 0.42 * L * my / norm, 7)
    for line, f, x, y in choice:
        draw_lines(lay.d, [line], f, x, y, "white")


def draw_knob_positions(lay, knob, names):
    """A rotary selector's positions engraved round it."""
    d = lay.d
    L = knob.length
    rr = max(knob.px, 8) if knob.px >= 12 else L - 6
    d.ellipse((knob.x - rr, knob.y - rr, knob.x + rr, knob.y + rr), fill=C["panel_dark"], outline=C["panel_shadow"])
    f = font(7 if len(knob.points) < 7 else 6, True)
    for i, p in enumerate(knob.points):
        ang = point_angle(knob, p)
        d.line([polar(knob.x, knob.y, L + 1, ang), polar(knob.x, knob.y, L + 4, ang)], fill=C["engrave"], width=2)
    for i, p in enumerate(knob.points[:len(names)]):
        ang = point_angle(knob, p)
        text = names[i]
        tw, th = text_size(text, f)
        c, s = math.cos(math.radians(ang)), math.sin(math.radians(ang))
        reach = L + 5 + (tw * abs(c) + th * abs(s)) / 2
        spots = [(knob.x + (reach + 3 * k) * c, knob.y + (reach + 3 * k) * s) for k in range(6)]
        lay.caption(text, spots, f)


def draw_switch_group(lay, s):
    d = lay.d
    b = s.box
    d.rounded_rectangle((b[0], b[1], b[2] - 1, b[3] - 1), radius=3, fill=C["panel_dark"], outline=C["panel_shadow"])
    lay.taken.append(b)


def draw_button(lay, s):
    d = lay.d
    b = s.box
    d.rounded_rectangle((b[0], b[1], b[2] - 1, b[3] - 1), radius=4, fill=C["panel_shadow"])
    d.rounded_rectangle((b[0] + 2, b[1] + 2, b[2] - 3, b[3] - 3), radius=3, fill=C["knob"], outline=C["knob_edge"])
    lay.taken.append(b)


KNOB_AREA = re.compile(r"\b(left|right|index|X FEED|TANK VALVE)\b")


def switch_caption(g, s):
    names = printed(g, "names", {})
    if s.name in names:
        return names[s.name]
    return s.name


def position_names(g, s):
    return printed(g, "positions_of", {}).get(s.name, [p.upper() for p in s.positions])


def caption_spots(s):
    cx = (s.box[0] + s.box[2]) / 2
    return [(cx, s.box[1] - 6), (cx, s.box[3] + 6)]


def draw_switch_captions(lay, switches):
    """Each switch's name above (or below) it; its positions beside the
    bands, once for a row of alike switches."""
    g = lay.g
    f = font(8, True)
    for s in switches:
        text = switch_caption(g, s)
        if not text:
            continue
        for size in (8, 7, 6):
            if lay.caption(text, caption_spots(s), font(size, True), force=False):
                break
    rows = []
    for s in switches:
        if len(s.areas) < 2 or s.icons[0].family == "servo_legend":
            continue
        for row in rows:
            r0 = row[-1]
            if (r0.box[1], r0.box[3]) == (s.box[1], s.box[3]) and position_names(g, r0) == position_names(g, s):
                row.append(s)
                break
        else:
            rows.append([s])
    small = font(7)
    for row in rows:
        names = position_names(g, row[0])
        widest = max(text_size(n, small)[0] for n in names) + 2
        first, last = row[0], row[-1]
        left = (first.box[0] - 2 - widest / 2, first.box[0] - 2 - widest)
        right = (last.box[2] + 2 + widest / 2, last.box[2] + 2 + widest)
        for cx, edge in (left, right):
            boxes = []
            for a, n in zip(first.areas, names):
                boxes.append(text_box(n, small, cx, a.y + a.h / 2))
            if all(lay.free(bx) for bx in boxes):
                for a, n in zip(first.areas, names):
                    lay.caption(n, [(cx, a.y + a.h / 2)], small)
                break
        else:
            for a, n in zip(first.areas, names):
                tw = text_size(n, font(6))[0]
                draw_lines(lay.d, [n], font(6), a.x + tw / 2 + 1, a.y + 4, "engrave")


def draw_placeholder(g, size):
    """A gauge not built yet: its name, so the crew sees where it sits."""
    w, h = size
    img, d = new_image(w, h, "panel_dark")
    for x in range(-h, w, 10):
        d.line((x, h - 1, x + h, 0), fill=C["panel"], width=3)
    d.rectangle((0, 0, w - 1, h - 1), outline=C["panel_light"])
    inner = (3, 3, w - 3, h - 3)
    mid = (inner[1] + inner[3]) // 2
    d.rectangle((2, mid - 11, w - 3, mid + 11), fill=C["panel_dark"])
    draw_text_in(d, g.short_name.upper().replace("_", " "), (3, mid - 11, w - 3, mid + 1), "engrave",
                 (9, 8, 7, 6))
    draw_text_in(d, "NOT BUILT", (3, mid + 1, w - 3, mid + 11), "amber", (8, 7, 6))
    return img


def draw_neutral(size):
    """A background that several built gauges share: paint only."""
    w, h = size
    img, d = new_image(w, h, "panel")
    d.rectangle((0, 0, w - 1, h - 1), outline=C["panel_light"])
    d.line((1, h - 1, w - 1, h - 1), fill=C["panel_shadow"])
    d.line((w - 1, 1, w - 1, h - 1), fill=C["panel_shadow"])
    return img


def draw_overlay(e, w, h):
    """The instrument lighting laid over the whole panel: a sparse wash of
    light that leaves the panel under it seen, denser and whiter with the
    flight-deck light on. Pure black, which the simulator draws clear, is
    everything else."""
    img, d = new_image(w, h)
    flight_deck = "flight-deck" in e.label
    step = 4 if flight_deck else 6
    colour = C["lamp_white" if flight_deck else "amber"]
    px = img.load()
    for y in range(0, h, step):
        for x in range((y // step) % 2 * (step // 2), w, step):
            px[x, y] = colour
    # The glareshield's light strip along the top edge.
    d.rectangle((0, 0, w - 1, 2), fill=colour)
    return img


def draw_fixture(lay):
    """A light on a swivel: its foot, its arm, its hood and lens."""
    d = lay.d
    w, h = lay.size
    cx, cy = w // 2, h // 2 + 6
    r = min(w, h) // 5
    d.rectangle((cx - 4, h - 16, cx + 4, h - 6), fill=C["metal_dark"], outline=C["panel_shadow"])
    d.line((cx, h - 16, cx, cy + r), fill=C["metal_dark"], width=4)
    d.ellipse((cx - r - 3, cy - r - 3, cx + r + 3, cy + r + 3), fill=C["knob"], outline=C["knob_edge"])
    d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=C["lens"], outline=C["metal_dark"])
    d.ellipse((cx - r // 2, cy - r // 2, cx, cy), fill=C["lens_text"])
    lay.taken.append((cx - r - 3, cy - r - 3, cx + r + 4, h - 5))


def draw_background(g, art, size, lb=False):
    lay = Layout(g, art, size)
    d = lay.d
    w, h = size
    d.rectangle((0, 0, w - 1, h - 1), outline=C["panel_light"])
    d.line((1, h - 1, w - 1, h - 1), fill=C["panel_shadow"])
    d.line((w - 1, 1, w - 1, h - 1), fill=C["panel_shadow"])
    words = PRINTED.get(g.name, {})
    kids = [e for e in g.elements[1:] if e.kind != 2 and e.family != "alt_face"]

    needles = [e for e in kids if e.family == "needle" and e.hidden == lb]
    if lb and not needles:
        needles = [e for e in kids if e.family == "needle"]
    if needles:
        draw_faces(lay, needles, words.get("lb" if lb else "dial"), words)
    elif words.get("lb" if lb else "dial"):
        lines = words.get("lb" if lb else "dial")
        f = font(8, True)
        spots = words.get("dial_at", [(w / 2, 8 + i * 10) for i in range(len(lines))])
        for i, line in enumerate(lines):
            lay.caption(line, [spots[i]], f if i == 0 else font(7))

    # The pedestal: the levers' slots, the marks along their travel, words.
    for x0, y0, x1, y1 in words.get("slots", []):
        d.rectangle((x0 - 1, y0 - 1, x1 + 1, y1 + 1), fill=C["panel_shadow"])
        d.rectangle((x0, y0, x1, y1), fill=C["dark"])
    for x0, x1, y in words.get("ticks", []):
        d.line((x0, y, x1, y), fill=C["engrave"])
    for text, cx, cy, size in words.get("labels", []):
        f = font(size, True)
        draw_lines(d, [text], f, cx, cy, "engrave")
        lay.taken.append(text_box(text, f, cx, cy))

    # Instrument bezels and knobs painted on the panel; what moves over them
    # is drawn by its own elements.
    for cx, cy, r in words.get("bezels", []):
        d.ellipse((cx - r - 2, cy - r - 2, cx + r + 2, cy + r + 2), fill=C["panel_shadow"])
        d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=C["face"], outline=C["face_rim"])
    # Round knobs, knurled at the rim.
    for cx, cy, r in words.get("knobs", []):
        d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=C["knob"], outline=C["knob_edge"])
        for i in range(24):
            d.line([polar(cx, cy, r - 4, 15 * i), polar(cx, cy, r - 1, 15 * i)], fill=C["knob_edge"])
        d.ellipse((cx - r + 6, cy - r + 6, cx + r - 6, cy + r - 6), fill=C["knob"], outline=C["knob_edge"])
        lay.taken.append((cx - r, cy - r, cx + r + 1, cy + r + 1))

    # Drum counters: a dark frame round each row of windows.
    drums = [e for e in kids if e.kind == 5]
    rows = {}
    for e in drums:
        rows.setdefault(round(e.y / 4), []).append(art.box(e))
    for boxes in rows.values():
        b = union(boxes)
        d.rectangle((b[0] - 2, b[1] - 2, b[2] + 1, b[3] + 1), fill=C["dark"], outline=C["face_rim"])

    # Switches, buttons and their legends.
    switches = [s for s in g.groups if s.icons and s.icons[0].family != "valve_knob"]
    for s in switches:
        draw_switch_group(lay, s)
    buttons = [s for s in g.groups if not s.icons and len(s.areas) == 1 and not KNOB_AREA.search(s.name)
               and s.box[2] - s.box[0] < 100 and s.areas[0].label not in words.get("plain", [])]
    for s in buttons:
        draw_button(lay, s)
    knobs = [e for e in kids if e.family == "knob"]
    for i, k in enumerate(knobs):
        draw_knob_positions(lay, k, words.get("positions" if i == 0 else "positions2", []))

    # Fixed indexes beside a moving scale.
    for x, y, way in words.get("pointers", []):
        tip = [(x, y + 4), (x - 5, y - 3), (x + 5, y - 3)] if way == "down" else [(x + 3, y), (x - 3, y - 5), (x - 3, y + 5)]
        d.polygon(tip, fill=C["amber"], outline=C["dark"])

    # Lamp housings, flow lines and indicator windows, showing while dark.
    for e in kids:
        b = art.box(e)
        if e.family == "lamp":
            d.rectangle((b[0], b[1], b[2] - 1, b[3] - 1), fill=C["lens"], outline=C["panel_shadow"])
            legend = common_legend(e)
            draw_text_in(d, legend, (b[0] + 2, b[1] + 1, b[2] - 2, b[3] - 1), "lens_text", (9, 8, 7, 6))
        elif e.family == "flow_bar" and "in line" in e.label:
            cx = (b[0] + b[2]) // 2
            d.line((cx, max(0, b[1] - 10), cx, min(h - 1, b[3] + 10)), fill=C["engrave_dim"], width=3)
            side = b[3] - b[1]
            d.rectangle((cx - side // 2, b[1], cx + side // 2, b[3] - 1), fill=C["dark"], outline=C["grey"])
        elif e.family == "flow_flag":
            d.ellipse((b[0] - 1, b[1] - 1, b[2], b[3]), fill=C["panel_shadow"])
        elif e.family == "valve_knob":
            cx, cy = (b[0] + b[2]) // 2, (b[1] + b[3]) // 2
            d.line((cx, 12, cx, h - 12), fill=C["engrave_dim"], width=3)
            d.ellipse((b[0] - 1, b[1] - 1, b[2], b[3]), fill=C["panel_shadow"])
        elif e.family == "servo_legend":
            cx = (b[0] + b[2]) // 2
            d.rectangle((cx - 3, b[1] + 4, cx + 3, b[3] - 5), fill=C["panel_shadow"])
        lay.taken.append(b)
    valves = sorted({(e.x, e.y) for e in kids if e.family == "valve_knob"})
    if len(valves) >= 3:
        side = art.size[[e for e in kids if e.family == "valve_knob"][0].bitmap][0]
        xs = [x for x, _ in valves]
        mid = sorted(xs)[len(xs) // 2]
        inner = [x for x in xs if x != mid]
        left = max(x for x in inner if x < mid)
        right = min(x for x in inner if x > mid)
        cy = valves[0][1] + side // 2
        d.line((left + side, cy, right, cy), fill=C["engrave_dim"], width=3)

    for e in kids:
        if e.family == "knob":
            r = e.length
            lay.taken.append((e.x - r, e.y - r, e.x + r, e.y + r))
        elif e.kind == 3:
            lay.taken.append(art.box(e))
    for a in g.areas:
        lay.taken.append(a.box)

    for box in words.get("tracks", []):
        d.rectangle(box, fill=C["panel_shadow"], outline=C["panel_dark"])
    for line in words.get("lines", []):
        d.line(line, fill=C["engrave_dim"])
    draw_switch_captions(lay, switches)
    for cx, y, text in [(t[1], t[2], t[0]) for t in words.get("texts", [])]:
        f = font(8, True)
        draw_lines(d, [text], f, cx, y + 5, "engrave")
        lay.taken.append(text_box(text, f, cx, y + 5))
    if words.get("bars"):
        for e, name in zip([k for k in kids if k.kind == 3], words["bars"]):
            bw = art.size[e.bitmap][0]
            lo, hi = SLIDER_TRAVEL.get(g.name, (0, 0))
            d.rectangle((e.x + bw // 2 - 1, e.y + lo, e.x + bw // 2 + 1, e.y + art.size[e.bitmap][1]),
                        fill=C["dark"])
            for u in range(0, 11, 2):
                y = e.y - 4 * u
                d.line((e.x - 3, y, e.x - 1, y), fill=C["engrave"])
            lay.caption(name, [(e.x + bw / 2, e.y + 12)], font(8, True))
        first = [k for k in kids if k.kind == 3][0]
        for u in range(0, 11, 2):
            lay.caption(str(u), [(first.x - 8, first.y - 4 * u + 2)], font(6), force=False)
    if words.get("fixture"):
        draw_fixture(lay)
    title = words.get("title")
    placed = False
    if title and len(knobs) == len(title):
        placed = all([lay.caption(line, [(k.x, k.y + k.length + 14 + dy) for dy in (0, 3, 6)], font(8, True),
                                  force=False) for k, line in zip(knobs, title)])
    if title and not placed:
        n = len(title)
        for i, line in enumerate(title):
            spots = [(w / 2, 6 + 10 * i), (w / 2, h - 8 - 10 * (n - 1 - i))]
            if not lay.caption(line, spots, font(9, True), force=False):
                if not lay.caption(line, spots, font(7, True), force=False):
                    lay.caption(line, lay.anywhere(), font(7, True), force=False)
    return lay.img


def draw_button_gauge(g, size):
    """A panel window's button: the whole gauge is the button."""
    w, h = size
    img, d = new_image(w, h, "panel_shadow")
    d.rounded_rectangle((2, 2, w - 3, h - 3), radius=6, fill=C["knob"], outline=C["knob_edge"])
    draw_text_in(d, " ".join(printed(g, "title", [g.short_name.upper()])), (6, 4, w - 6, h - 4), "engrave",
                 (12, 11, 10, 9, 8, 7))
    return img


# --- Putting it together -----------------------------------------------------------------

DRAWERS = {
    "switch": draw_switch, "knob_pose": draw_knob_pose, "hp_lever": draw_hp_lever,
    "servo_legend": draw_servo_legend, "lever": draw_servo_lever, "bar": draw_level_bar,
    "flow_bar": draw_flow_bar, "segment": draw_segment, "flow_flag": draw_flow_flag, "valve_knob": draw_valve_knob,
    "valve_line": draw_valve_line, "off_flag": draw_off_flag, "lamp": draw_lamp, "message": draw_message,
    "cover": draw_cover, "needle": draw_needle, "limit": draw_limit, "pointer": draw_pointer,
    "knob": draw_knob, "drum": draw_drum_mask, "overlay": draw_overlay, "lever_part": draw_lever_part,
    "knob": draw_knob, "drum": draw_drum_mask, "shaped": draw_shaped, "window_cover": draw_window_cover,
    "symbol": draw_symbol, "tape": draw_drum_mask,
}


def layout_signature(g):
    return tuple((e.kind, e.family, e.x, e.y, e.px, e.py, tuple(e.points)) for e in g.elements[1:])


def draw_all(art):
    images = {}
    for bmp in sorted(art.uses):
        uses = art.uses[bmp]
        fam = art.family(bmp)
        size = art.size[bmp]
        e = uses[0]
        if fam == "background":
            built = [u.gauge for u in uses if not u.gauge.placeholder]
            if not built:
                images[bmp] = draw_placeholder(e.gauge, size)
            elif len({layout_signature(g) for g in built}) > 1:
                images[bmp] = draw_neutral(size)
            elif len(built[0].elements) == 1 and built[0].areas and \
                    built[0].areas[0].box[:3] == (0, 0, built[0].width):
                images[bmp] = draw_button_gauge(built[0], size)
            else:
                images[bmp] = draw_background(built[0], art, size)
        elif fam == "alt_face":
            images[bmp] = draw_background(e.gauge, art, size, lb=True)
        elif fam == "sprite":
            raise SystemExit(f"bitmap {bmp}: a sprite needs its row in WINDOWS ({e.gauge.name} {e.label})")
        elif fam == "window":
            images[bmp] = draw_window(e, *size)
            images[bmp + 1] = draw_window_picture(e, *art.size[bmp + 1])
        else:
            images[bmp] = DRAWERS[fam](e, *size)
            if fam == "drum":
                images[bmp + 1] = draw_drum_strip(e, *art.size[bmp + 1])
            elif fam == "tape":
                images[bmp + 1] = draw_tape_strip(e, *art.size[bmp + 1])
    return images


def shared_legends(art):
    """Lamps drawn once for several places keep the words all their places
    share ("PUMP 1".."PUMP 4" give "PUMP")."""
    for bmp, uses in art.uses.items():
        if art.family(bmp) != "lamp":
            continue
        texts = [legend_of(e) for e in uses]
        if len(set(texts)) == 1:
            continue
        words = [w for w in texts[0].split() if all(w in t.split() for t in texts)]
        _legends[bmp] = " ".join(words) or texts[0]


def inked_sweep(e, img):
    """The box the drawn pixels of a needle cover over its whole sweep."""
    w, h = img.size
    px = img.load()
    inked = [(x - e.px, y - e.py) for y in range(h) for x in range(w) if px[x, y]]
    xs, ys = [], []
    for a in sweep_angles(e)[::2] + [point_angle(e, e.points[-1])]:
        c, s = math.cos(math.radians(a)), math.sin(math.radians(a))
        xs += [e.x + x * c - y * s for x, y in inked]
        ys += [e.y + x * s + y * c for x, y in inked]
    return (round(min(xs)), round(min(ys)), round(max(xs)) + 1, round(max(ys)) + 1)


def check(art, images):
    """What must hold of the drawn set; returns the problems found."""
    problems = []
    for bmp, img in images.items():
        want = art.size.get(bmp)
        if want and img.size != want:
            problems.append(f"{bmp}: drawn {img.size}, sized {want}")
    for g in art.gauges:
        bw, bh = art.size[g.elements[0].bitmap]
        for e in g.elements[1:]:
            if e.kind == 2:
                b = (e.x, e.y, e.x + e.string_box[0], e.y + e.string_box[1])
            elif e.kind == 1:
                b = inked_sweep(e, images[e.bitmap])
            else:
                b = art.box(e)
            if b[0] < 0 or b[1] < 0 or b[2] > bw or b[3] > bh:
                problems.append(f"{g.name}: {e.label or e.bitmap} {b} leaves the background {bw}x{bh}")
        icons = [e for e in g.elements if e.group is not None and e.kind == 4]
        for i, a in enumerate(icons):
            for o in icons[i + 1:]:
                if a.group is not o.group and overlaps(art.box(a), art.box(o)):
                    problems.append(f"{g.name}: {a.label} overlaps {o.label}")
        for a in g.areas:
            if a.box[2] > bw or a.box[3] > bh:
                problems.append(f"{g.name}: area {a.label} leaves the background")
    for bmp, uses in art.uses.items():
        if art.family(bmp) == "drum":
            w, h = art.size[bmp]
            if art.size[bmp + 1] != (w, drum_cells(uses[0]) * h):
                problems.append(f"{bmp + 1}: not {drum_cells(uses[0])} cells of {w}x{h}")
        if uses[0].kind == 1:
            w, h = art.size[bmp]
            for e in uses:
                if h < 2 * e.py + 1 or (e.px >= 0 and w < e.px + e.length):
                    problems.append(f"{bmp}: too small for {e.gauge.name} {e.label}")
    return problems


def write_bmp(img, path):
    img.save(path, "BMP")
    with open(path, "rb") as f:
        data = f.read()
    magic, size, _, offset = struct.unpack_from("<2sIII", data, 0)
    hdr, w, h, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    used = struct.unpack_from("<I", data, 46)[0]
    stride = (w + 3) // 4 * 4
    ok = (magic == b"BM" and size == len(data) and hdr == 40 and h > 0 and planes == 1 and bits == 8
          and compression == 0 and used in (0, 256) and offset == 14 + 40 + 1024
          and len(data) == offset + stride * h and data[54:58] == b"\0\0\0\0")
    if not ok:
        raise SystemExit(f"{path}: not the 8-bit, 256-colour, bottom-up bitmap the simulator reads")
    return len(data)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--records", required=True, help="what `catalogue --records` prints")
    ap.add_argument("--roles", required=True, help="host/data/roles.txt")
    ap.add_argument("--out", default="src/resources/art")
    ap.add_argument("--verbose", action="store_true", help="also list the checks' notes")
    args = ap.parse_args()

    global _art
    gauges = read_records(args.records, read_roles(args.roles))
    art = Art(gauges)
    _art = art
    art.compute()
    shared_legends(art)
    images = draw_all(art)
    problems = check(art, images)
    if args.verbose:
        for note in art.notes + problems:
            print("note:", note)

    os.makedirs(args.out, exist_ok=True)
    made = {f"{bmp}.bmp" for bmp in images}
    for name in sorted(os.listdir(args.out)):
        if name.endswith(".bmp") and name not in made:
            os.remove(os.path.join(args.out, name))
    total = 0
    for bmp in sorted(images):
        total += write_bmp(images[bmp], os.path.join(args.out, f"{bmp}.bmp"))
    print(f"generate_art: {len(images)} bitmaps, {total} bytes in {args.out}"
          + (f" ({len(problems)} check notes; --verbose lists them)" if problems and not args.verbose else ""))


if __name__ == "__main__":
    main()
