"""A client of `vela-run --control`: one headless runner process, a command a line, one answer
a line. Shared by the tools that fly the game closed-loop (hover-band, start-survival,
novice-pilot)."""

import os
import subprocess
import sys


class ControlRun:
    """Runs `vela-run --control` on `scene`, drawing nothing (GALLIUM_NOOP); `home` gives it a
    save folder of its own. A refused command ends the tool, named `tool`, with the reason."""

    def __init__(self, vela_run, scene, tool, assets=None, home=None):
        env = dict(os.environ, SDL_VIDEODRIVER="offscreen", SDL_AUDIODRIVER="dummy",
                   GALLIUM_NOOP="1")
        if home is not None:
            env.update(HOME=home, XDG_DATA_HOME=os.path.join(home, "data"))
        command = [vela_run, "--control", "--scene", scene]
        if assets:
            command += ["--assets", assets]
        self.tool = tool
        self.run = subprocess.Popen(command, text=True, stdin=subprocess.PIPE,
                                    stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env)

    def send(self, lines):
        """Writes the commands in one go, so the runner need not wait between them."""
        self.run.stdin.write("".join(line + "\n" for line in lines))
        self.run.stdin.flush()

    def answer(self, line):
        """The answer to `line`, already sent."""
        answer = self.run.stdout.readline()
        if not answer or answer.startswith("error"):
            sys.exit(f"{self.tool}: '{line}' got {answer.strip() or 'no answer'}")
        return answer

    def ask(self, line):
        self.send([line])
        return self.answer(line)

    def close(self):
        self.ask("quit")
        self.run.wait()
