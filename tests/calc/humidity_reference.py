#!/usr/bin/python3
"""Independent evaluation of the psychrometric model, used to obtain the bit-exact
expected values of humidity_model_test.cpp.

Every value marked single in the model is rounded by packing it into a 32-bit float;
Python's own arithmetic is double precision. Usage:

    humidity_reference.py TDRY TWET P TYPE [ice]   (TYPE 1 aspirated, 2 non-aspirated)

prints F, RH, Td, E and е as float literals with nine significant digits; with `ice` the
wet bulb is taken as coated with ice (saturation over ice, the ice coefficient).
"""
import decimal
import math
import struct
import sys


def single(x):
    try:
        return struct.unpack('f', struct.pack('f', x))[0]
    except OverflowError:
        return math.copysign(math.inf, x)


def single_bits(x, step):
    """The single next to the single x, `step` 1 up or -1 down."""
    bits = struct.unpack('<i', struct.pack('<f', x))[0]
    bits += step if x > 0 or (x == 0 and step > 0 and math.copysign(1, x) > 0) else -step
    return struct.unpack('<f', struct.pack('<i', bits))[0]


def correctly_rounded(exact):
    """The single nearest to a Decimal carried to 200 digits (ln and exp of the model are
    correctly rounded, which double rounded to single is not always)."""
    candidate = single(float(exact))
    best = min((candidate, single_bits(candidate, 1), single_bits(candidate, -1)),
               key=lambda c: abs(decimal.Decimal(c) - exact))
    return best


decimal.getcontext().prec = 200


def single_exp(x):
    return correctly_rounded(decimal.Decimal(x).exp())


def single_log(x):
    return correctly_rounded(decimal.Decimal(x).ln())


K = {name: single(value) for name, value in dict(
    enh_base=1.0016, enh_p=3.15e-6, enh_inv=0.074, e0=6.112, magnus=17.62, magnus_off=243.12,
    psy_t=0.000944, a0_asp=0.000684, a0_non=0.001328, percent=100.0, tetens=17.271,
    tetens_off=237.7, f_factor=0.214, f_off=273.3, grams=1000.0, ice_magnus=22.46,
    ice_magnus_off=272.62, ice_coefficient=5.75, water_coefficient=6.53).items()}


def model(tdry, twet, p, kind, ice=False):
    f = single((p * K['enh_p'] - K['enh_inv'] / p) + K['enh_base'])

    def saturation(t, magnus, offset):
        x = single(K[magnus] * t / (t + K[offset]))
        return single(K['e0'] * single_exp(x))

    big_e = single(f * saturation(tdry, 'magnus', 'magnus_off'))
    a0 = K['a0_asp'] if kind == 1 else K['a0_non']
    if ice:
        ei = single(f * saturation(twet, 'ice_magnus', 'ice_magnus_off'))
        a_ice = single(a0 * K['ice_coefficient'] / K['water_coefficient'])
        depression = a_ice * p * (tdry - twet)
        e = single(ei - depression)
    else:
        ew = single(f * saturation(twet, 'magnus', 'magnus_off'))
        depression = ((twet * K['psy_t'] + 1) * a0) * p * (tdry - twet)
        e = single(ew - depression)
    rh = single(e * K['percent'] / big_e)
    r = single(rh / K['percent'])
    if r > 0:
        log_r = single_log(r)
    else:
        log_r = -math.inf if r == 0 else math.nan
    gamma = single(log_r + K['tetens'] * tdry / (tdry + K['tetens_off']))
    try:
        td = single(gamma * K['tetens_off'] / (K['tetens'] - gamma))
    except (ZeroDivisionError, ValueError):
        td = math.nan
    absolute = single(e * K['f_factor'] / (tdry + K['f_off']) * K['grams'])
    return absolute, rh, td, big_e, e


if __name__ == '__main__':
    tdry, twet, p = (single(float(v)) for v in sys.argv[1:4])
    ice = sys.argv[5:6] == ['ice']
    print(', '.join('%.9gf' % v for v in model(tdry, twet, p, int(sys.argv[4]), ice)))
