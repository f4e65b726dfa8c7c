"""Runs the GoogleTest program of the host's platform routines under Wine,
with a virtual display, the sound output captured and test media made."""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402


def main():
    program = sys.argv[1]
    session = harness.WineSession(1024, 768, 16)
    try:
        media = harness.make_test_media(tempfile.mkdtemp(prefix="sorvelin-media-"))
        env = dict(session.env)
        env.update({
            "SORVELIN_AUDIO_CAPTURE": harness.windows_path(session.audio.path),
            "SORVELIN_TEST_MP3": harness.windows_path(media["mp3"]),
            "SORVELIN_TEST_WAV": harness.windows_path(media["wav"]),
        })
        result = subprocess.run(["wine", program], env=env, timeout=300)
        return result.returncode
    finally:
        session.close()


if __name__ == "__main__":
    sys.exit(main())
