#!/usr/bin/env bash
# Regenerates the cockpit's 25 wave sounds into src/resources/sounds/.
#
#   scripts/generate_sounds.sh            # writes src/resources/sounds/NAME.wav
#   scripts/generate_sounds.sh OUT_DIR    # writes OUT_DIR/NAME.wav instead
#
# A developer's tool: the build uses the committed files and needs none of
# this. Voice callouts come from espeak-ng and are fitted to their length with
# sox; every other sound is synthesised here in plain python3. Run twice, it
# writes the same bytes: the noise comes from a fixed-seed generator, sox runs
# in repeatable mode without dither, and the WAV files are written here, with
# no chunk but "fmt " and "data" (so no date, no comment, no tool name).
# The voices' exact samples depend on the espeak-ng and sox versions; the
# committed files were made with espeak-ng 1.51 and SoX 14.4.2 (Debian 12).
set -euo pipefail
cd "$(dirname "$0")/.."

out_dir=${1:-src/resources/sounds}

# Install what is missing (Debian packages).
need=()
command -v espeak-ng >/dev/null || need+=(espeak-ng)
command -v sox >/dev/null || need+=(sox)
command -v python3 >/dev/null || need+=(python3)
if [ ${#need[@]} -gt 0 ]; then
  echo "generate_sounds: installing ${need[*]}"
  if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${need[@]}" >/dev/null
fi

mkdir -p "$out_dir"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$out_dir" "$work" <<'PY'
import math
import os
import struct
import subprocess
import sys
import wave

OUT_DIR, WORK = sys.argv[1], sys.argv[2]

# name, sample rate (Hz), bits, length (ms). Load order of the sound bank.
TABLE = [
    ("CLICK", 22050, 16, 90),
    ("HI", 22050, 16, 910),
    ("LO", 22050, 16, 870),
    ("INNER", 22050, 8, 1000),
    ("MIDDLE", 22050, 8, 1260),
    ("OUTER", 22050, 8, 1000),
    ("DONTSNK", 11025, 8, 1480),
    ("GLIDESLOPE", 11025, 8, 1370),
    ("WPULLUP", 11025, 8, 1570),
    ("SNKRATE", 11025, 8, 1290),
    ("TERRAIN", 11025, 8, 1710),
    ("TOOLOWFLAPS", 11025, 8, 1620),
    ("TOOLOWGEAR", 11025, 8, 1570),
    ("TOOLOWTERRAIN", 11025, 8, 1500),
    ("CLICLICLIC", 11025, 8, 730),
    ("CLACKER", 22050, 16, 880),
    ("GONGMONO", 22050, 16, 1000),
    ("GONGCONT", 22050, 16, 970),
    ("KLAXONCONT", 22050, 16, 1000),
    ("KLAXONINT", 22050, 16, 2050),
    ("RE", 11025, 8, 260),
    ("REREP", 11025, 8, 1060),
    ("SONNERIE", 22050, 16, 1120),
    ("WROOF", 22050, 16, 770),
    ("BRAKESSND", 22050, 8, 3110),
]

# Voice callouts: espeak-ng text and speaking speed (words per minute).
VOICE = "en-us"
VOICE_PITCH = 30
VOICES = {
    "DONTSNK": ("Don't sink", 130),
    "GLIDESLOPE": ("Glide slope", 140),
    "SNKRATE": ("Sink rate", 140),
    "TERRAIN": ("Terrain", 120),
    "TOOLOWFLAPS": ("Too low, flaps", 160),
    "TOOLOWGEAR": ("Too low, gear", 160),
    "TOOLOWTERRAIN": ("Too low, terrain", 160),
    "WPULLUP": ("Pull up", 125),  # after two synthesised whoops
}

TAU = 2.0 * math.pi


def sample_count(rate, ms):
    """Samples for a length in ms, rounded half up: exact for every row."""
    return (rate * ms + 500) // 1000


# --- Building blocks ----------------------------------------------------------

class Noise:
    """White noise in [-1, 1) from a 32-bit linear congruential generator:
    the same sequence for a seed on every machine and every Python."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def __call__(self):
        self.state = (1664525 * self.state + 1013904223) & 0xFFFFFFFF
        return self.state / 2147483648.0 - 1.0

    def block(self, n):
        return [self() for _ in range(n)]


def rotate_to_quiet(x):
    """Turns a seamless loop so that it starts (and so ends) where it is
    closest to zero: the loop stays seamless, and the first play and the
    last sample have no step either."""
    k = min(range(1, len(x)), key=lambda i: abs(x[i]) + abs(x[i - 1]))
    return x[k:] + x[:k]


def biquad(x, rate, kind, f0, q):
    """An RBJ biquad: 'lp', 'hp' or 'bp' (band-pass, 0 dB at the centre)."""
    w = TAU * f0 / rate
    c, s = math.cos(w), math.sin(w)
    alpha = s / (2.0 * q)
    if kind == "lp":
        b = ((1 - c) / 2, 1 - c, (1 - c) / 2)
    elif kind == "hp":
        b = ((1 + c) / 2, -(1 + c), (1 + c) / 2)
    else:
        b = (alpha, 0.0, -alpha)
    a0, a1, a2 = 1 + alpha, -2 * c, 1 - alpha
    b0, b1, b2 = b[0] / a0, b[1] / a0, b[2] / a0
    a1, a2 = a1 / a0, a2 / a0
    y = []
    x1 = x2 = y1 = y2 = 0.0
    for v in x:
        out = b0 * v + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1, y2, y1 = x1, v, y1, out
        y.append(out)
    return y


def periodic_filter(x, rate, kind, f0, q):
    """Filters x as if it repeated for ever: the result loops seamlessly."""
    return biquad(x + x, rate, kind, f0, q)[len(x):]


def peak(x):
    return max(abs(v) for v in x) if x else 0.0


def normalise(x, level):
    p = peak(x)
    return [v * level / p for v in x] if p > 0 else list(x)


def add_into(dst, src, at, gain=1.0):
    for i, v in enumerate(src):
        j = at + i
        if 0 <= j < len(dst):
            dst[j] += gain * v


def fade(x, rate, fade_in=0.0, fade_out=0.0):
    """Raised-cosine fade-in and fade-out (seconds), in place."""
    n = len(x)
    a = int(round(fade_in * rate))
    b = int(round(fade_out * rate))
    for i in range(min(a, n)):
        x[i] *= 0.5 - 0.5 * math.cos(math.pi * i / a)
    for i in range(min(b, n)):
        x[n - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / b)
    return x


def gate(rate, n, intervals, edge):
    """An on/off envelope: 1 inside the (start, end) intervals in seconds,
    raised-cosine edges of `edge` seconds, 0 elsewhere."""
    env = [0.0] * n
    e = max(1, int(round(edge * rate)))
    for t0, t1 in intervals:
        i0, i1 = int(round(t0 * rate)), min(n, int(round(t1 * rate)))
        for i in range(i0, i1):
            k = min(i - i0, i1 - 1 - i)
            env[i] = 1.0 if k >= e else 0.5 - 0.5 * math.cos(math.pi * k / e)
    return env


def ring(n, rate, partials, period=None):
    """The sound of one strike at sample 0 on a resonator with partials
    (frequency Hz, amplitude, decay time constant s).

    With a period (samples) the strike repeats every `period` samples for
    ever and the result is that steady state folded into n samples: each
    partial is moved to a whole number of cycles per period, so the tail of
    every strike wraps onto the next one and the sound loops seamlessly,
    passing through zero at each strike."""
    y = [0.0] * n
    for f, amp, tau in partials:
        if period:
            f = max(1, round(f * period / rate)) * rate / period
        if f >= rate / 2:
            continue
        w = TAU * f / rate
        d = math.exp(-1.0 / (tau * rate))
        g = amp / (1.0 - d ** period) if period else amp
        env = g
        for i in range(n):
            u = i % period if period else i
            if period and u == 0:
                env = g
            y[i] += env * math.sin(w * u)
            env *= d
    return y


def strike_noise(rate, seed, length, f0, q):
    """A short filtered noise burst: the hammer or contact of a strike."""
    n = int(round(length * rate))
    burst = biquad(Noise(seed).block(n), rate, "bp", f0, q)
    for i in range(n):
        burst[i] *= math.exp(-5.0 * i / n)
    return fade(burst, rate, 0.0005, 0.0)


def harmonics(n, rate, f0, amps, start=0):
    """A steady periodic tone: sum of amps[k-1] * sin(k w t); t from start."""
    y = [0.0] * n
    for k, a in enumerate(amps, start=1):
        if a == 0.0 or k * f0 >= rate / 2:
            continue
        w = TAU * k * f0 / rate
        for i in range(n):
            y[i] += a * math.sin(w * (i + start))
    return y


# --- Switch clicks ------------------------------------------------------------

def click_transient(rate, seed, body, bright, decay):
    """One mechanical click: a contact noise burst and two short resonances."""
    n = int(round(decay * 10 * rate))
    y = ring(n, rate, [(body, 0.6, decay * 1.6), (bright, 1.0, decay),
                       (bright * 1.83, 0.5, decay * 0.6)])
    add_into(y, strike_noise(rate, seed, 0.002, bright * 1.2, 0.9), 0, 1.2)
    return fade(y, rate, 0.0003, decay * 4)


def click(n, rate):
    y = [0.0] * n
    add_into(y, click_transient(rate, 11, 1100, 3400, 0.0035), int(0.002 * rate))
    # the contact settling a few milliseconds later
    add_into(y, click_transient(rate, 12, 1400, 4300, 0.0025), int(0.011 * rate), 0.35)
    return fade(normalise(y, 0.85), rate, 0.0, 0.010)


def cliclicli(n, rate):
    y = [0.0] * n
    for k, t in enumerate((0.004, 0.244, 0.484)):
        add_into(y, click_transient(rate, 21 + k, 700, 2300, 0.006), int(round(t * rate)))
        add_into(y, click_transient(rate, 31 + k, 900, 3100, 0.004),
                 int(round((t + 0.009) * rate)), 0.4)
    return fade(normalise(y, 0.9), rate, 0.0, 0.010)


def clacker(n, rate):
    """Eight clacks (about 9 a second), the armature striking and returning;
    each dies out within its slot, so the loop joins in silence."""
    y = [0.0] * n
    slot = n / 8.0
    for k in range(8):
        at = int(round(k * slot)) + int(0.002 * rate)
        if k % 2 == 0:
            add_into(y, click_transient(rate, 41 + k, 850, 2600, 0.006), at, 1.0)
        else:
            add_into(y, click_transient(rate, 41 + k, 1050, 3300, 0.005), at, 0.75)
    return fade(normalise(y, 0.85), rate, 0.0, 0.005)


# --- Chimes, gongs and bells --------------------------------------------------

def chime(n, rate, f0):
    """One passenger-sign chime note: a struck bar, bright at the strike."""
    partials = [(f0, 1.0, 0.42), (f0 * 1.0025, 0.35, 0.40), (f0 * 2.0, 0.22, 0.18),
                (f0 * 3.0, 0.07, 0.10), (f0 * 4.16, 0.10, 0.03)]
    y = ring(n, rate, partials)
    fade(y, rate, 0.003, 0.080)
    return normalise(y, 0.80)


GONG_PARTIALS = [(392.0, 1.00), (395.0, 0.45), (587.0, 0.55), (784.0, 0.38),
                 (958.0, 0.30), (1171.0, 0.20), (1446.0, 0.14), (1765.0, 0.08)]


def gong(n, rate, tau, period=None):
    partials = [(f, a, tau * (392.0 / f) ** 0.6) for f, a in GONG_PARTIALS]
    y = ring(n, rate, partials, period)
    burst = strike_noise(rate, 51, 0.006, 1800, 0.8)
    add_into(y, burst, 0, 0.4 * peak(y) / peak(burst))
    return y


def gongmono(n, rate):
    y = gong(n, rate, 0.45)
    fade(y, rate, 0.0, 0.150)
    return normalise(y, 0.85)


def gongcont(n, rate):
    # one strike per loop; the ring of the previous one fades under it
    return normalise(gong(n, rate, 0.22, period=n), 0.85)


def sonnerie(n, rate):
    """An electric fire bell: the clapper strikes 18 times per loop (about 16
    a second), the gong rings on between strikes. The loop then starts at a
    quiet point of the ringing rather than at a strike."""
    strikes = 18
    assert n % strikes == 0
    period = n // strikes
    partials = [(1020.0, 1.0, 0.50), (1210.0, 0.25, 0.40), (2470.0, 0.55, 0.22),
                (3880.0, 0.35, 0.12), (5330.0, 0.25, 0.07), (6950.0, 0.12, 0.04)]
    y = ring(n, rate, partials, period)
    # the clapper alternates a little in strength
    for i in range(n):
        if (i // period) % 2:
            y[i] *= 0.92
    burst = strike_noise(rate, 61, 0.003, 4200, 1.0)
    for k in range(strikes):
        add_into(y, burst, k * period, 0.25 * peak(y) / peak(burst))
    return normalise(rotate_to_quiet(y), 0.85)


# --- Marker beacons and alert tones ---------------------------------------------

def marker(n, rate, freq, intervals):
    env = gate(rate, n, intervals, 0.004)
    w = TAU * freq / rate
    return [0.7 * env[i] * math.sin(w * i) for i in range(n)]


def inner(n, rate):
    # six dots a second
    return marker(n, rate, 3000.0, [(k / 6.0, k / 6.0 + 1 / 12.0) for k in range(6)])


def middle(n, rate):
    # dot, dash, dot, dash: 95 pairs a minute, a dash three dots long
    d = 0.105
    spans = []
    for k in range(2):
        t = k * 6 * d
        spans += [(t, t + d), (t + 2 * d, t + 5 * d)]
    return marker(n, rate, 1300.0, spans)


def outer(n, rate):
    # two dashes a second
    return marker(n, rate, 400.0, [(0.0, 0.375), (0.5, 0.875)])


def beep(rate, length):
    n = int(round(length * rate))
    y = harmonics(n, rate, 1174.66, [1.0, 0.0, 0.18, 0.0, 0.06])
    fade(y, rate, 0.004, 0.015)
    return normalise(y, 0.8)


def re_once(n, rate):
    y = [0.0] * n
    add_into(y, beep(rate, 0.245), 0)
    return y


def rerep(n, rate):
    y = [0.0] * n
    b = beep(rate, 0.245)
    add_into(y, b, 0)
    add_into(y, b, int(round(0.53 * rate)))
    return y


# --- Horns --------------------------------------------------------------------

def horn_amps(f0, rate):
    """A buzzy horn tone: saw-like harmonics shaped by the bell's
    resonances, with alternating signs so that the wave crosses zero in the
    middle of its ramp at t = 0."""
    amps = []
    k = 1
    while k * f0 < rate / 2 - 500:
        f = k * f0
        shape = 1.0 + 1.5 / (1.0 + ((f - 1250.0) / 350.0) ** 2) + 0.8 / (1.0 + ((f - 2600.0) / 500.0) ** 2)
        amps.append((-1) ** (k + 1) * shape / k ** 0.9)
        k += 1
    return amps


def horn(n, rate):
    # two horns a major third apart; whole cycles per second, so one second
    # of it repeats seamlessly
    y = harmonics(n, rate, 400.0, horn_amps(400.0, rate))
    add_into(y, harmonics(n, rate, 500.0, horn_amps(500.0, rate)), 0, 0.8)
    for i in range(n):  # a little roughness, also whole cycles per second
        y[i] *= 1.0 - 0.12 * (1.0 - math.cos(TAU * 50.0 * i / rate))
    return y


def klaxoncont(n, rate):
    assert n == rate  # one second: all of its frequencies are whole Hz
    return normalise(rotate_to_quiet(horn(n, rate)), 0.80)


def klaxonint(n, rate):
    # horn 0.65 s, silence 0.375 s, twice
    y = [0.0] * n
    h = fade(horn(int(round(0.65 * rate)), rate), rate, 0.008, 0.012)
    add_into(y, h, 0)
    add_into(y, h, int(round(1.025 * rate)))
    return normalise(y, 0.80)


def wroof(n, rate):
    """A short horn burst: the pitch rises as it opens ('wr'), holds ('oo'),
    and closes into a breath of noise ('f')."""
    y = [0.0] * n
    t_open, t_close, t_end = 0.12, 0.52, 0.66
    top = 7500.0  # harmonics fade out smoothly towards this frequency
    kmax = int(top / 140)
    phases = [0.0] * (kmax + 1)
    for i in range(int(t_end * rate)):
        t = i / rate
        if t < t_open:
            x = t / t_open
            f0 = 150.0 + 70.0 * x
            fc = 350.0 + 2100.0 * x * x
        elif t < t_close:
            f0 = 220.0 - 15.0 * (t - t_open) / (t_close - t_open)
            fc = 2450.0
        else:
            x = (t - t_close) / (t_end - t_close)
            f0 = 205.0 - 40.0 * x
            fc = 2450.0 - 2000.0 * x
        v = 0.0
        for k in range(1, kmax + 1):
            f = k * f0
            phases[k] += TAU * f / rate
            if f < top:
                taper = (1.0 - f / top) ** 2
                v += taper * math.sin(phases[k]) / k ** 0.7 / math.sqrt(1.0 + (f / fc) ** 4)
        y[i] = v
    env = gate(rate, n, [(0.0, t_end)], 0.0)
    for i in range(n):
        t = i / rate
        a = min(1.0, t / 0.035)
        if t > t_close:
            a *= max(0.0, 1.0 - (t - t_close) / (t_end - t_close)) ** 1.5
        y[i] *= a * env[i]
    y = normalise(y, 1.0)
    # the 'f': a breath of high noise as the horn closes
    nf = int(0.17 * rate)
    breath = biquad(biquad(Noise(71).block(nf), rate, "hp", 1800.0, 0.7), rate, "lp", 6500.0, 0.7)
    for i in range(nf):
        x = i / nf
        breath[i] *= math.sin(math.pi * x) ** 1.5 * (1.0 - x)
    add_into(y, breath, int(0.50 * rate), 0.35 / peak(breath))
    fade(y, rate, 0.0, 0.020)
    return normalise(y, 0.85)


# --- Brakes -------------------------------------------------------------------

def brakes(n, rate):
    """Hot brakes: a hiss and a wavering squeal, both periodic in the file's
    length; the loop point is then moved to a quiet zero crossing."""
    hiss = periodic_filter(Noise(81).block(n), rate, "bp", 3200.0, 0.6)
    hiss = periodic_filter(hiss, rate, "hp", 900.0, 0.7)
    hiss = normalise(hiss, 1.0)
    squeal = [0.0] * n
    f0 = round(2150.0 * n / rate) * rate / n  # whole cycles per loop
    for i in range(n):
        x = i / n
        # pitch wavers (about 40 Hz) three times per loop, loudness swells twice
        ph = TAU * f0 * i / rate + 40.0 * math.sin(TAU * 3 * x)
        swell = 0.55 + 0.45 * math.sin(TAU * 2 * x) ** 2
        squeal[i] = swell * (math.sin(ph) + 0.25 * math.sin(2 * ph))
    y = [0.45 * hiss[i] + 0.40 * squeal[i] for i in range(n)]
    return normalise(rotate_to_quiet(y), 0.90)


# --- Voices -------------------------------------------------------------------

def read_wav(path):
    with wave.open(path, "rb") as w:
        assert w.getnchannels() == 1 and w.getsampwidth() == 2
        rate = w.getframerate()
        raw = w.readframes(w.getnframes())
    return rate, [v / 32768.0 for v in struct.unpack("<%dh" % (len(raw) // 2), raw)]


def write_pcm16(path, rate, x):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(struct.pack("<%dh" % len(x), *[
            max(-32768, min(32767, int(math.floor(v * 32767 + 0.5)))) for v in x]))


def trim_silence(x, rate):
    """Drops the leading and trailing silence espeak-ng adds, keeping 5 ms."""
    limit = 0.02 * peak(x)
    loud = [i for i, v in enumerate(x) if abs(v) > limit]
    keep = int(0.005 * rate)
    return x[max(0, loud[0] - keep): loud[-1] + keep + 1]


def speak(name, rate, slot):
    """The callout as float samples at `rate`, no longer than `slot` seconds."""
    text, wpm = VOICES[name]
    raw = os.path.join(WORK, name + "_raw.wav")
    cut = os.path.join(WORK, name + "_cut.wav")
    fit = os.path.join(WORK, name + "_fit.wav")
    subprocess.run(["espeak-ng", "-v", VOICE, "-p", str(VOICE_PITCH), "-s", str(wpm),
                    "-w", raw, text], check=True)
    r, x = read_wav(raw)
    x = trim_silence(x, r)
    write_pcm16(cut, r, normalise(x, 0.5))  # headroom for sox's filters
    spoken = len(x) / r
    effects = []
    tempo = 1.0
    if spoken > slot:
        # faster, same pitch; the slot's end is kept free for the tail
        tempo = spoken / (slot - 0.02)
        effects += ["tempo", "-s", "%.4f" % tempo]
    print("%-14s espeak-ng -v %s -p %d -s %d \"%s\": %.3f s spoken, tempo %.3f"
          % (name, VOICE, VOICE_PITCH, wpm, text, spoken, tempo))
    effects += ["highpass", "120", "rate", "-v", str(rate)]
    subprocess.run(["sox", "-D", "-R", "-V1", cut, "-b", "16", fit] + effects, check=True)
    _, y = read_wav(fit)
    y = normalise(y, 1.0)
    # a gentle soft clip lifts the quiet syllables above 8-bit hiss
    drive = 2.0
    y = [math.tanh(drive * v) / math.tanh(drive) for v in y]
    # tempo's length is only close to the asked one: never overrun the slot
    y = y[:int(slot * rate)]
    return fade(y, rate, 0.003, 0.010)


def callout(name, n, rate):
    lead, tail = 0.04, 0.06
    y = [0.0] * n
    v = speak(name, rate, n / rate - lead - tail)
    add_into(y, v, int(lead * rate))
    return normalise(y, 0.95)


def whoop(rate, length):
    """A rising siren 'whoop'."""
    n = int(round(length * rate))
    y = [0.0] * n
    ph = 0.0
    for i in range(n):
        x = i / n
        f = 380.0 * (1250.0 / 380.0) ** (x ** 0.8)
        ph += TAU * f / rate
        y[i] = math.sin(ph) + 0.30 * math.sin(2 * ph) + 0.10 * math.sin(3 * ph)
    return fade(y, rate, 0.025, 0.045)


def wpullup(n, rate):
    y = [0.0] * n
    w = normalise(whoop(rate, 0.27), 0.80)
    add_into(y, w, int(0.03 * rate))
    add_into(y, w, int(0.35 * rate))
    start, tail = 0.68, 0.05
    v = speak("WPULLUP", rate, n / rate - start - tail)
    add_into(y, normalise(v, 0.95), int(start * rate))
    return y


# --- Output -------------------------------------------------------------------

def write_wav(path, rate, bits, x):
    """A plain PCM WAV: RIFF header, 16-byte "fmt ", "data"; nothing else.
    8-bit samples are unsigned (silence is 128), 16-bit signed."""
    if bits == 16:
        data = struct.pack("<%dh" % len(x), *[
            max(-32768, min(32767, int(math.floor(v * 32767 + 0.5)))) for v in x])
    else:
        data = bytes(max(0, min(255, 128 + int(math.floor(v * 127 + 0.5)))) for v in x)
    block = bits // 8
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * block, block, bits)
    pad = b"\0" if len(data) % 2 else b""  # chunks are word aligned
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt \
        + b"data" + struct.pack("<I", len(data)) + data + pad
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(body)) + body)


MAKERS = {
    "CLICK": click,
    "HI": lambda n, r: chime(n, r, 880.0),
    "LO": lambda n, r: chime(n, r, 698.46),
    "INNER": inner,
    "MIDDLE": middle,
    "OUTER": outer,
    "WPULLUP": wpullup,
    "CLICLICLIC": cliclicli,
    "CLACKER": clacker,
    "GONGMONO": gongmono,
    "GONGCONT": gongcont,
    "KLAXONCONT": klaxoncont,
    "KLAXONINT": klaxonint,
    "RE": re_once,
    "REREP": rerep,
    "SONNERIE": sonnerie,
    "WROOF": wroof,
    "BRAKESSND": brakes,
}

for name, rate, bits, ms in TABLE:
    n = sample_count(rate, ms)
    if name in MAKERS:
        x = MAKERS[name](n, rate)
    else:
        x = callout(name, n, rate)
    assert len(x) == n, name
    write_wav(os.path.join(OUT_DIR, name + ".wav"), rate, bits, x)
    print("%-14s %5d Hz %2d-bit %6d samples %.4f s" % (name, rate, bits, n, n / rate))
PY
