#!/usr/bin/env python3
"""Runs many slider settings through the command-line tool's batch mode and
compares every box text with the reference model."""

import argparse
import json
import subprocess
import sys

import reference_model
from settings import all_settings, command_line

SHOWN_MISMATCHES = 10


def box_texts(reply):
    """The Text1..Text52 mapping of one reply, wherever it is nested."""
    if "Text1" in reply:
        return reply
    for value in reply.values():
        if isinstance(value, dict):
            found = box_texts(value)
            if found is not None:
                return found
    return None


def run_tool(cli, lines):
    completed = subprocess.run([cli, "--batch"], input="\n".join(lines) + "\n",
                               capture_output=True, text=True, check=False)
    if completed.returncode != 0:
        sys.exit(f"oracle: {cli} --batch exited with {completed.returncode}: "
                 f"{completed.stderr.strip()}")
    return [json.loads(line) for line in completed.stdout.splitlines() if line.strip()]


def model_texts(positions, ticked):
    try:
        return reference_model.recalculate(positions, ticked)
    except (ArithmeticError, ValueError) as fault:
        return {name: f"<model fault: {fault}>" for name in reference_model.BOX_NAMES}


def compare(cli, count, seed):
    settings = all_settings(count, seed)
    lines = [command_line(*setting) for setting in settings]
    replies = run_tool(cli, lines)
    if len(replies) != len(lines):
        sys.exit(f"oracle: sent {len(lines)} settings, got {len(replies)} replies")
    mismatches = []
    for line, setting, reply in zip(lines, settings, replies):
        texts = box_texts(reply) or {}
        expected = model_texts(*setting)
        mismatches += [(line, name, expected[name], texts.get(name))
                       for name in reference_model.BOX_NAMES if texts.get(name) != expected[name]]
    boxes = len(settings) * len(reference_model.BOX_NAMES)
    print(f"oracle: {len(settings)} settings, {boxes} boxes compared, "
          f"{len(mismatches)} mismatches")
    for line, name, expected, got in mismatches[:SHOWN_MISMATCHES]:
        print(f"  setting: {line}\n    {name}: expected {expected!r}, got {got!r}")
    return not mismatches


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--cli", required=True, help="path of tropolink-cli")
    parser.add_argument("--count", type=int, default=20000, help="number of settings")
    parser.add_argument("--seed", type=int, default=1, help="seed of the random settings")
    args = parser.parse_args()
    return 0 if compare(args.cli, args.count, args.seed) else 1


if __name__ == "__main__":
    sys.exit(main())
