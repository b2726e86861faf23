#!/usr/bin/env bash
"$@" >/dev/null
