package com.example.app;

public class SettingsActivity {
}
