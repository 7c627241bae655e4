#!/usr/bin/python3
"""The answer sheet (tests/support/answer_sheet.json) for the scripts that take the test: where
each control of each window lies, and the option the tests hold right in each question.

Run, it prints the sheet for drive.sh, a fact a line:
  centre N X Y CONTROL   the centre of CONTROL in window N (1 to 11), in logical pixels
  right N OX OY CX CY    the centres of window N's right option and of its Command1
Run with "options", it prints for spoken.sh each question's right option by its number (3 for
Option3), a question a line."""

import json
import os
import sys

SHEET = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support",
                     "answer_sheet.json")


def windows():
    with open(SHEET, encoding="utf-8") as sheet:
        return json.load(sheet)["windows"]


def right_choices():
    """Each question's right option by its name ("В. 3"), by window number."""
    return {n: window["choice"] for n, window in enumerate(windows(), 1) if "choice" in window}


if __name__ == "__main__":
    if sys.argv[1:] not in ([], ["options"]):
        sys.exit("usage: answer_sheet.py [options]")
    for n, window in enumerate(windows(), 1):
        if sys.argv[1:] == ["options"]:
            if "right" in window:
                print(window["right"].removeprefix("Option"))
            continue
        for name, (x, y) in window["centres"].items():
            print("centre", n, x, y, name)
        if "right" in window:
            print("right", n, *window["centres"][window["right"]], *window["centres"]["Command1"])
