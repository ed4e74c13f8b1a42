#!/usr/bin/env python3
"""Puts logo_tool.html together as one file that needs nothing else: the
page's style and scripts inline, and the worker's source (emscripten's
factory, the WebAssembly module as base64, the worker's own script) in a
block the page starts the worker from. The Content-Security-Policy allows
exactly these inline blocks, by their hashes, and no request at all."""
import argparse
import base64
import hashlib
import pathlib
import re


def inline_hash(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode() + "'"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--template", required=True)
    parser.add_argument("--style", required=True)
    parser.add_argument("--scripts", nargs="+", required=True)
    parser.add_argument("--worker", required=True)
    parser.add_argument("--factory", required=True)
    parser.add_argument("--module", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()

    read = lambda path: pathlib.Path(path).read_text(encoding="utf-8")
    style = read(args.style)
    script = "\n".join(read(path) for path in args.scripts)
    module = base64.b64encode(pathlib.Path(args.module).read_bytes()).decode()
    worker = "\n".join([read(args.factory), "const LOGO_CORE_WASM = '" + module + "';", read(args.worker)])
    # Inside a script block these would end it early, or change how it is read.
    for name, text in (("style", style), ("script", script), ("worker", worker)):
        if re.search(r"</(script|style)|<!--", text, re.IGNORECASE):
            raise SystemExit(f"the {name} holds text that would break its inline block")

    policy = "; ".join([
        "default-src 'none'",
        f"script-src {inline_hash(script)} 'wasm-unsafe-eval'",
        f"style-src {inline_hash(style)}",
        "worker-src blob:",
        "base-uri 'none'",
        "form-action 'none'",
    ])
    page = read(args.template)
    for key, value in (("@POLICY@", policy), ("@VERSION@", args.version), ("@STYLE@", style),
                       ("@SCRIPT@", script), ("@WORKER@", worker)):
        if key not in page:
            raise SystemExit(f"the template lacks {key}")
        page = page.replace(key, value, 1)
    pathlib.Path(args.out).write_text(page, encoding="utf-8")


if __name__ == "__main__":
    main()
