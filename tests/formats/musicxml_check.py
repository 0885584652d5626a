#!/usr/bin/env python3
"""Checks exported MusicXML documents with lxml, independently of the exporter.

    musicxml_check.py durations FILE [MEASURE=LENGTH ...]
        In every measure of every part, the notes and forwards of each voice
        between two backups (chord notes aside) add up to the measure's
        length in divisions: the time signature's, unless given for that
        measure (numbered from 1). Each backup goes back that length.

    musicxml_check.py two-staff FILE
        The export of the two-staff piano fixture holds the values worked out
        by hand below.

    musicxml_check.py same FILE REFERENCE
        The two documents hold the same elements in the same order, with the
        same attributes and texts (white space around texts aside); the first
        difference is named by its path.

    musicxml_check.py notes FILE
        Prints each note as a reader takes it: "part staff voice onset
        duration key", onset and duration in quarters as exact fractions, a
        grace note with duration "grace", a tied-to note marked "tied".

    musicxml_check.py pitches FILE
        Prints the MIDI key that each pitched note sounds (step, alter and
        octave, middle C = C4 = 60), in document order, one line per part.
"""
import sys
from fractions import Fraction

from lxml import etree


def parse(path):
    parser = etree.XMLParser(load_dtd=False, no_network=True, resolve_entities=False)
    return etree.parse(path, parser).getroot()


def check_durations(path, overrides):
    errors = []
    for part in parse(path).iter("part"):
        divisions = None
        time_length = None
        for number, measure in enumerate(part.findall("measure"), 1):
            where = f"part {part.get('id')} measure {number}"
            attributes = measure.find("attributes")
            if attributes is not None:
                if attributes.findtext("divisions"):
                    divisions = int(attributes.findtext("divisions"))
                time = attributes.find("time")
                if time is not None:
                    beats, beat_type = int(time.findtext("beats")), int(time.findtext("beat-type"))
                    time_length = beats * 4 * divisions // beat_type
            length = overrides.get(number, time_length)
            segments = [[]]
            for child in measure:
                if child.tag == "backup":
                    if int(child.findtext("duration")) != length:
                        errors.append(f"{where}: backup of {child.findtext('duration')}, not {length}")
                    segments.append([])
                elif child.tag in ("note", "forward"):
                    segments[-1].append(child)
            for index, segment in enumerate(segments, 1):
                sums = {}
                for element in segment:
                    if element.find("chord") is not None:
                        continue
                    voice = element.findtext("voice")
                    sums[voice] = sums.get(voice, 0) + int(element.findtext("duration"))
                if not sums:
                    errors.append(f"{where} segment {index}: empty")
                for voice, total in sums.items():
                    if total != length:
                        errors.append(f"{where} segment {index} voice {voice}: {total}, not {length}")
    return errors


def note_row(element):
    """A note, rest, forward or backup as a tuple to compare."""
    if element.tag == "backup":
        return ("backup", int(element.findtext("duration")))
    duration = int(element.findtext("duration"))
    voice, staff = int(element.findtext("voice")), int(element.findtext("staff"))
    if element.tag == "forward":
        return ("forward", duration, voice, staff)
    if element.find("rest") is not None:
        return ("rest", duration, voice, staff)
    pitch = element.find("pitch")
    alter = int(pitch.findtext("alter")) if pitch.find("alter") is not None else 0
    chord = element.find("chord") is not None
    return ("note", pitch.findtext("step"), alter, int(pitch.findtext("octave")), chord, duration, voice, staff)


# The fixture: piano (program 0, channel 1) with two rows in 3/4, G major.
# Upper row, measure 1: voice 0 the chord C E G (middle C: MusicXML octave
# 4), F (sharp by the key), F with a natural; voice 1 a half-note A3 and a
# quarter rest. Measure 2: F with a flat, F (the flat holds), C5.
# Lower row, measure 1: the chord G2 D3 as a dotted half. Measure 2: E2 with
# a double flat, a beat of nothing, C2.
EXPECTED_PART_LIST = [("P1", "Piano", "P1-I1", "Piano", "P1-I1", "1", "1")]
EXPECTED_ATTRIBUTES = [("32", "1", ("3", "4"), "2"), ("32", None, None, "2")]
EXPECTED_MEASURES = [
    [
        ("note", "C", 0, 4, False, 32, 1, 1),
        ("note", "E", 0, 4, True, 32, 1, 1),
        ("note", "G", 0, 4, True, 32, 1, 1),
        ("note", "F", 1, 4, False, 32, 1, 1),
        ("note", "F", 0, 4, False, 32, 1, 1),
        ("backup", 96),
        ("note", "A", 0, 3, False, 64, 2, 1),
        ("rest", 32, 2, 1),
        ("backup", 96),
        ("note", "G", 0, 2, False, 96, 5, 2),
        ("note", "D", 0, 3, True, 96, 5, 2),
    ],
    [
        ("note", "F", -1, 4, False, 32, 1, 1),
        ("note", "F", -1, 4, False, 32, 1, 1),
        ("note", "C", 0, 5, False, 32, 1, 1),
        ("backup", 96),
        ("note", "E", -2, 2, False, 32, 5, 2),
        ("forward", 32, 5, 2),
        ("note", "C", 0, 2, False, 32, 5, 2),
    ],
]


def check_two_staff(path):
    root = parse(path)
    errors = []
    part_list = []
    for score_part in root.find("part-list").findall("score-part"):
        instrument, midi = score_part.find("score-instrument"), score_part.find("midi-instrument")
        part_list.append((score_part.get("id"), score_part.findtext("part-name"), instrument.get("id"),
                          instrument.findtext("instrument-name"), midi.get("id"), midi.findtext("midi-channel"),
                          midi.findtext("midi-program")))
    if part_list != EXPECTED_PART_LIST:
        errors.append(f"part list {part_list}")
    measures = root.find("part").findall("measure")
    if len(measures) != len(EXPECTED_MEASURES):
        errors.append(f"{len(measures)} measures")
    for number, (measure, attributes, rows) in enumerate(zip(measures, EXPECTED_ATTRIBUTES, EXPECTED_MEASURES), 1):
        found = measure.find("attributes")
        time = found.find("time")
        seen = (found.findtext("divisions"), found.findtext("key/fifths"),
                (time.findtext("beats"), time.findtext("beat-type")) if time is not None else None,
                found.findtext("staves"))
        if seen != attributes:
            errors.append(f"measure {number} attributes {seen}, not {attributes}")
        seen_rows = [note_row(child) for child in measure if child.tag in ("note", "forward", "backup")]
        if seen_rows != rows:
            errors.append(f"measure {number}:\n  seen     {seen_rows}\n  expected {rows}")
    return errors


SEMITONES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def key_of(pitch):
    alter = int(pitch.findtext("alter")) if pitch.find("alter") is not None else 0
    return (int(pitch.findtext("octave")) + 1) * 12 + SEMITONES[pitch.findtext("step")] + alter


def compare(path, reference):
    def walk(a, b, where):
        if a.tag != b.tag:
            return [f"{where}: <{a.tag}>, not <{b.tag}>"]
        where = f"{where}/{a.tag}"
        if dict(a.attrib) != dict(b.attrib):
            return [f"{where}: attributes {dict(a.attrib)}, not {dict(b.attrib)}"]
        if (a.text or "").strip() != (b.text or "").strip():
            return [f"{where}: text {a.text!r}, not {b.text!r}"]
        ours, theirs = list(a), list(b)
        for index, (x, y) in enumerate(zip(ours, theirs), 1):
            errors = walk(x, y, f"{where}[{index}]")
            if errors:
                return errors
        if len(ours) != len(theirs):
            return [f"{where}: {len(ours)} children, not {len(theirs)}"]
        return []
    return walk(parse(path), parse(reference), "")


def print_notes(path):
    for part in parse(path).iter("part"):
        divisions = None
        start = Fraction(0)
        for measure in part.findall("measure"):
            time = start
            last_onset = time
            length = Fraction(0)
            for child in measure:
                if child.tag == "attributes" and child.findtext("divisions"):
                    divisions = int(child.findtext("divisions"))
                if child.tag not in ("note", "forward", "backup"):
                    continue
                grace = child.find("grace") is not None
                duration = Fraction(0) if grace else Fraction(int(child.findtext("duration")), divisions)
                if child.tag == "backup":
                    time -= duration
                    continue
                if child.tag == "forward":
                    time += duration
                    length = max(length, time - start)
                    continue
                chord = child.find("chord") is not None
                onset = last_onset if chord else time
                if child.find("pitch") is not None:
                    tied = any(tie.get("type") == "stop" for tie in child.findall("tie"))
                    fields = [part.get("id"), child.findtext("staff"), child.findtext("voice"), onset,
                              "grace" if grace else duration, key_of(child.find("pitch"))]
                    print(*fields, *(["tied"] if tied else []))
                if not chord:
                    last_onset = time
                    time += duration
                length = max(length, time - start)
            start += length
    return []


def print_pitches(path):
    for part in parse(path).iter("part"):
        keys = []
        for pitch in part.iter("pitch"):
            keys.append(key_of(pitch))
        print(" ".join(str(key) for key in keys))
    return []


def main(arguments):
    if len(arguments) >= 2 and arguments[0] == "durations":
        overrides = {int(k): int(v) for k, v in (word.split("=") for word in arguments[2:])}
        errors = check_durations(arguments[1], overrides)
    elif len(arguments) == 2 and arguments[0] == "two-staff":
        errors = check_two_staff(arguments[1])
    elif len(arguments) == 3 and arguments[0] == "same":
        errors = compare(arguments[1], arguments[2])
    elif len(arguments) == 2 and arguments[0] == "notes":
        errors = print_notes(arguments[1])
    elif len(arguments) == 2 and arguments[0] == "pitches":
        errors = print_pitches(arguments[1])
    else:
        print(__doc__)
        return 2
    for error in errors:
        print(error)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
