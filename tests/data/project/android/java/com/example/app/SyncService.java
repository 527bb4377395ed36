package com.example.app;

public class SyncService {
}
