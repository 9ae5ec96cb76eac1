// Small helpers for driving real windows from tests.
#pragma once

#include <windows.h>

#include <string>

std::wstring WindowText(HWND hwnd);
std::wstring ItemText(HWND dialog, int id);
bool IsItemChecked(HWND dialog, int id);
bool IsItemEnabled(HWND dialog, int id);
// A click as the user makes it: BM_CLICK, which toggles automatic buttons and notifies.
void Click(HWND dialog, int id);
// Handles every message already queued for this thread.
void PumpMessages();
// Runs `action` on the next pass of the message loop of a modal window that is about to
// start (a one-shot thread timer).
void RunSoon(void (*action)());
