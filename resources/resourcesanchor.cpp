// Anchors the embedded resources in their own library.
