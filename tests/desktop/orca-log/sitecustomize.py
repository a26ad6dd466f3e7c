"""Has Orca write its debug log a line at a time.

Orca writes the log through a block buffer, so what it has just said may wait in the
buffer until it says more; the desktop test reads what Orca says as it says it. Python
imports this module at start when its directory is on PYTHONPATH (start_orca puts it
there for Orca alone).
"""
import builtins

_open = builtins.open


def _line_buffered_log(file, mode="r", buffering=-1, *args, **kwargs):
    if buffering == -1 and mode == "w" and str(file).endswith("orca.txt"):
        buffering = 1
    return _open(file, mode, buffering, *args, **kwargs)


builtins.open = _line_buffered_log
