#!/usr/bin/env python3
"""Writes the hostile-host fuzzer's seed inputs into fuzz/corpus/host/.

Each seed is a short host program in the fuzzer's byte code (see
fuzz/host_fuzz.cpp): the first byte of a step picks the operation. The
seeds start the fuzzer from flights worth mutating: a cold cockpit, a running
aircraft, every variable broken, every switch clicked, clocks gone wrong.

The files named found-* beside them were kept from a fifteen-minute fuzzing
run (a sample of its merged corpus) for the coverage they reach; every test
run replays them all.
"""
import os
import struct

SET, SET_BITS, CLICK, UPDATE, DRAW, UPDATE_ONE, SERVICE, CALC, SKIP, BACK, RUN, REINSTALL = range(12)
NAN, INF, NEG_INF, HUGE = 0, 2, 3, 4
GAUGES = 142


def set_special(token, special):
    return bytes([SET]) + struct.pack('<H', token) + bytes([special])


def set_raw(token, value):
    return bytes([SET]) + struct.pack('<H', token) + bytes([255]) + struct.pack('<d', value)


def run(n):
    return bytes([RUN, n])


def click_all():
    out = b''
    for g in range(GAUGES):
        for a in range(12):
            out += bytes([CLICK, g, a, 0])
    return out


seeds = {
    'cold_cockpit': set_raw(60, 1.0) + run(40) + bytes([DRAW]),
    'running_in_flight': set_raw(60, 0.0) + set_raw(329, 1.0) + set_raw(624, 90) + set_raw(625, 95)
    + set_raw(643, 90) + set_raw(644, 95) + set_raw(73, 3000) + run(60),
    'everything_nan': b''.join(set_special(t, NAN) for t in range(0, 1024, 3)) + run(20),
    'everything_infinite': b''.join(set_special(t, INF if t % 2 else NEG_INF) for t in range(0, 1024, 5)) + run(20),
    'everything_huge': b''.join(set_special(t, HUGE) for t in range(0, 1024, 7)) + run(20),
    'every_switch': set_raw(60, 1.0) + run(2) + click_all() + run(30) + click_all() + run(10),
    'clock_backwards': run(30) + bytes([SKIP]) + struct.pack('<H', 50000) + run(5) + bytes([BACK, 200]) + run(30),
    'odd_services': b''.join(bytes([SERVICE, g, s, 0, 0, 0, 0]) for g in range(0, GAUGES, 3) for s in range(15))
    + run(5),
    'calculator_nan': bytes([CALC, NAN, 1]) + run(20) + bytes([CALC, INF, 0]) + run(20),
    'reinstall': b''.join(bytes([REINSTALL, g]) for g in range(GAUGES)) + run(10),
}

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus', 'host')
os.makedirs(here, exist_ok=True)
for name, data in seeds.items():
    with open(os.path.join(here, name), 'wb') as f:
        f.write(data)
print(f'{len(seeds)} seeds written to {here}')
