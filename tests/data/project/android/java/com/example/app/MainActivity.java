package com.example.app;

public class MainActivity {
}
