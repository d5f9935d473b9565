// Anchors the moc output of the audio interfaces in this library.
