import json
import os
import subprocess

import pytest


@pytest.fixture(scope="session")
def cli():
    """Runs tropolink-cli with the given arguments and input; returns (status, stdout, stderr)."""
    path = os.environ["TROPOLINK_CLI"]

    def run(*args, stdin=""):
        done = subprocess.run([path, *args], input=stdin, capture_output=True, text=True, check=False)
        return done.returncode, done.stdout, done.stderr

    return run


@pytest.fixture(scope="session")
def batch(cli):
    """Answers of tropolink-cli --batch --values, one JSON object per line given."""

    def run(lines):
        status, out, _ = cli("--batch", "--values", stdin="".join(line + "\n" for line in lines))
        assert status == 0
        return [json.loads(answer) for answer in out.splitlines()]

    return run
