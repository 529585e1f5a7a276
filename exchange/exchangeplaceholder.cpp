// Sprite exchange core; filled in by the exchange work.
