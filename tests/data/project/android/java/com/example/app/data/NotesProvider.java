package com.example.app.data;

public class NotesProvider {
}
